// Interim entry point: the command line and the wizard are being written.
#include <cstdio>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "blockwright: nothing to do yet\n");
    return 2;
}
