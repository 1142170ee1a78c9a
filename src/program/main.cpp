#include "program/display_program.h"

int main(int argc, char** argv) {
    return program::runDisplayProgram(argc, argv);
}
