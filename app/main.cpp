// Entry point.
#include <SDL_main.h>

#include "app/main_loop.h"

int main(int argc, char** argv) {
    return runGame(argc, argv);
}
