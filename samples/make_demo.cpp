// make_demo FOLDER: writes the demo project and its source files into FOLDER.
#include <cstdio>

#include "samples/demo_project.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo FOLDER\n");
        return 2;
    }
    return orb::samples::WriteDemoProject(argv[1]) ? 0 : 1;
}
