// Start-up in its fixed order: seed, tables, dialog, window, GL, sound, assets, cursor, show.
#include <cstdio>
#include <cstdlib>

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

int runGame() {
    gameSrand(platformMilliseconds() & 0xFFFFu);
    resetPlayerTable();
    resetConnSlots();
    if (runSetupDialog()) postQuitMessage(0);

    const Resolution& size = resolutionTable[gameSetup.resolutionIndex];
    if (!createGameWindow(GAME_NAME, size.width, size.height)) std::exit(1);
    setupScene(size.width, size.height);
    if (gameSetup.soundEnabled) soundStart();
    initTextures(TEXTURE_TABLE_SIZE);
    loadAssets();
    centreCursor();
    platformShowCursor(false);
    frameStart = platformMilliseconds();
    showGameWindow();
    return runMainLoop();
}
