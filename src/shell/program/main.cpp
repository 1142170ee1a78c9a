#include "shell/program/display_program.h"

int main(int argc, char** argv) {
    return shell::runDisplayProgram(argc, argv);
}
