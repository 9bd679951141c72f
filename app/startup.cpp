// Start-up in its fixed order: seed, tables, dialog, window, GL, sound, assets, cursor, show.
#include <SDL_error.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/dialog/setup_commands.h"
#include "app/dialog/setup_dialog.h"
#include "app/fatal_error.h"
#include "app/frame.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "app/window.h"
#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "net/net.h"
#include "platform/platform.h"
#include "render/render.h"
#include "sound/sound.h"
#include "step/bot_launcher.h"
#include "step/data_folder.h"
#include "step/game_version.h"
#include "step/match_host.h"
#include "world/random.h"

namespace {
// No window means no game.
[[noreturn]] void failWithoutWindow(const char* what) {
    char text[512];
    std::snprintf(text, sizeof text, "%s: %s", what, SDL_GetError());
    failGame(1, text, false);
}

// A problem with the remembered settings never stops the game; it is told, once.
void warn(const char* problem) {
    std::fprintf(stderr, "voranis: %s\n", problem);
}

// The remembered choices under the command line's, then the dialog unless the command line
// already says host or join; what was chosen is remembered for the next start.
void chooseGame(const CommandLine& line, NetSession& net) {
    gameSetup = startSetup();
    char problem[SETTINGS_PROBLEM_SIZE];
    if (!loadSettings(&gameSetup, problem)) warn(problem);
    applyCommandLine(line, &gameSetup);
    if (line.mode == StartMode::DIALOG) {
        runSetupDialog(net);
    } else if (line.mode == StartMode::HOST) {
        char address[NET_ADDRESS_TEXT_SIZE];
        hostGame(net, address);
        startBots(gameSetup.bots, gameSetup.botSkill, gameSetup.port);
    } else {
        joinGame(net, gameSetup.address);
    }
    if (!saveSettings(gameSetup, problem)) warn(problem);
    setLocalName(gameWorld.roster, gameSetup.name);
    gameWorld.match.rules = MatchRules{gameSetup.scoreLimit, gameSetup.timeLimitMinutes};
    setHostArenas(gameSetup.isServer ? gameSetup.arena : "");
}
} // namespace

int runGame(int argc, const char* const* argv) {
    CommandLine line;
    char problem[COMMAND_PROBLEM_SIZE];
    if (!parseCommandLine(argc, argv, &line, problem)) {
        std::fprintf(stderr, "voranis: %s\n", problem);
        printUsage(stderr);
        return EXIT_USAGE;
    }
    if (line.help) {
        printUsage(stdout);
        return 0;
    }
    if (line.version) {
        std::printf("voranis %s\n", GAME_VERSION);
        return 0;
    }
    routeToolkitFailures();
    enterDataFolder();
    gameSrand(platformMilliseconds() & 0xFFFFu);
    resetPlayerTable(gameWorld.players);
    chooseGame(line, gameNet);

    const Resolution size = gameSetup.width > 0 ? Resolution{gameSetup.width, gameSetup.height}
                                                : resolutionTable[gameSetup.resolutionIndex];
    if (!createGameWindow(GAME_NAME, size)) failWithoutWindow("cannot create the game window");
    if (!createGlContext()) failWithoutWindow("cannot create the OpenGL context");
    setupScene(SMALLEST_WIDTH, SMALLEST_HEIGHT);
    fitSceneToWindow();
    if (gameSetup.soundEnabled) soundStart();
    initTextures(TEXTURE_TABLE_SIZE);
    char unreadable[ASSET_PROBLEM_SIZE];
    if (!loadAssets(gameWorld, unreadable)) failGame(1, unreadable, false);
    if (gameSetup.soundEnabled) soundSetup();
    centreCursor();
    platformShowCursor(false);
    resetFrameClock();
    showGameWindow();
    int exitCode = runMainLoop();
    reportFrameCounts();
    closeVideo();
    return exitCode;
}
