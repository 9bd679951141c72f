// Start-up in its fixed order: seed, tables, dialog, window, GL, sound, assets, cursor, show.
#include <SDL_error.h>

#include <cstdio>

#include "app/data_folder.h"
#include "app/fatal_error.h"
#include "app/frame.h"
#include "app/game_setup.h"
#include "app/main_loop.h"
#include "app/platform.h"
#include "app/setup_dialog.h"
#include "app/window.h"
#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "net/net.h"
#include "render/render.h"
#include "sound/sound.h"
#include "world/random.h"
#include "world/world_state.h"

namespace {
// No window means no game.
[[noreturn]] void failWithoutWindow(const char* what) {
    char text[512];
    std::snprintf(text, sizeof text, "%s: %s", what, SDL_GetError());
    failGame(1, text, false);
}
} // namespace

int runGame() {
    routeToolkitFailures();
    enterDataFolder();
    gameSrand(platformMilliseconds() & 0xFFFFu);
    resetPlayerTable();
    resetConnSlots();
    runSetupDialog();

    const Resolution& size = resolutionTable[gameSetup.resolutionIndex];
    if (!createGameWindow(GAME_NAME, size.width, size.height)) {
        failWithoutWindow("cannot create the game window");
    }
    if (!createGlContext()) failWithoutWindow("cannot create the OpenGL context");
    setupScene(size.width, size.height);
    if (gameSetup.soundEnabled) soundStart();
    initTextures(TEXTURE_TABLE_SIZE);
    char problem[ASSET_PROBLEM_SIZE];
    if (!loadAssets(problem)) failGame(1, problem, false);
    if (gameSetup.soundEnabled) soundSetup();
    centreCursor();
    platformShowCursor(false);
    frameStart = platformMilliseconds();
    showGameWindow();
    int exitCode = runMainLoop();
    closeVideo();
    return exitCode;
}
