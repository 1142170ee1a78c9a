// orvane-langcheck <assets dir> <panel image dir>: the language check over the panel image.
// Exit 0 when every shipped language has all that English has, 1 when one lacks something.

#include <cstdio>
#include <iostream>

#include "tools/langcheck/langcheck.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <assets dir> <panel image dir>\n", argv[0]);
        return 2;
    }
    return langcheck::check(argv[1], argv[2], std::cout);
}
