// Entry point.
#include <SDL_main.h>

#include "app/main_loop.h"

int main(int, char**) {
    return runGame();
}
