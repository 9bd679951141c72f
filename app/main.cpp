// Entry point.
#include "app/main_loop.h"

int main(int argc, char** argv) {
    return runGame(argc, argv);
}
