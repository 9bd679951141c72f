// Placeholder dialog, window and input until the application shell lands: hosts at once
// in a 640 x 480 window; Escape quits.
#include <SDL.h>

#include "app/main_loop.h"
#include "app/platform.h"
#include "app/setup_dialog.h"
#include "app/shutdown.h"
#include "app/window.h"
#include "app/window_proc.h"
#include "net/net.h"
#include "world/contact.h"
#include "world/game_setup.h"

const Resolution resolutionTable[RESOLUTION_COUNT] = {{640, 480}, {800, 600}, {1024, 768}};
SDL_Window* gameWindow = nullptr;

bool runSetupDialog() {
    char text[NET_ADDRESS_TEXT_SIZE];
    netHostStart(text);
    gameSetup.isServer   = 1;
    gameSetup.fullScreen = 0;
    spawnLocalPlayer(0);
    return false;
}

SDL_Window* createGameWindow(const char* name, int width, int height) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
    gameWindow = SDL_CreateWindow(name, 0, 0, width, height,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (gameWindow) SDL_GL_CreateContext(gameWindow);
    return gameWindow;
}

void showGameWindow() { SDL_ShowWindow(gameWindow); }
void restoreDisplayMode() {}
void platformSwapBuffers() { SDL_GL_SwapWindow(gameWindow); }
void centreCursor() {}

bool gameWindowProc(const SDL_Event& event) {
    bool quit = event.type == SDL_QUIT ||
                (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE);
    if (!quit) return true;
    shutdownGame();
    postQuitMessage(0);
    return false;
}
