// Start-up in its fixed order: seed, tables, dialog, window, GL, sound, assets, cursor, show.
#include <cstdio>
#include <cstdlib>

#include <SDL_error.h>

#include "app/data_folder.h"
#include "app/main_loop.h"
#include "app/platform.h"
#include "app/setup_dialog.h"
#include "app/window.h"
#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "net/net.h"
#include "render/render.h"
#include "sound/sound.h"
#include "world/game_setup.h"
#include "world/random.h"
#include "world/world_state.h"

namespace {
// No window means no game: the reason goes to standard error, not into a message box.
[[noreturn]] void failWithoutWindow(const char* what) {
    std::fprintf(stderr, "voranis: %s: %s\n", what, SDL_GetError());
    std::exit(1);
}
} // namespace

int runGame() {
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
    loadAssets();
    centreCursor();
    platformShowCursor(false);
    frameStart = platformMilliseconds();
    showGameWindow();
    int exitCode = runMainLoop();
    closeVideo();
    return exitCode;
}
