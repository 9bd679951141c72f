// Start-up in its fixed order: seed, tables, dialog, window, GL, sound, assets, cursor, show.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/command_line.h"
#include "app/demo_playback.h"
#include "app/dialog/demo_list.h"
#include "app/dialog/setup_commands.h"
#include "app/dialog/setup_dialog.h"
#include "app/fatal_error.h"
#include "app/frame.h"
#include "app/game_recording.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "app/gamepad_play.h"
#include "app/look_cursor.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "app/window.h"
#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "demo/demo_verify.h"
#include "net/net.h"
#include "platform/platform.h"
#include "render/render.h"
#include "sound/sound.h"
#include "step/bot_launcher.h"
#include "step/data_folder.h"
#include "step/match_host.h"
#include "world/random.h"

namespace {
// No window means no game.
[[noreturn]] void failWithoutWindow(const char* what, const char* problem) {
    char text[PLATFORM_PROBLEM_SIZE + 64];
    std::snprintf(text, sizeof text, "%s: %s", what, problem);
    failGame(1, text, false);
}

// The dialog's close box quits once the game has started; a port it could not host on ends
// the game with a box that names it.
void actOnDialog(const SetupOutcome& outcome) {
    if (outcome.hostFailed) failGame(1, outcome.problem, true);
    if (outcome.quit) postQuitMessage(0);
}

void hostFromCommandLine(NetSession& net) {
    char address[NET_ADDRESS_TEXT_SIZE];
    char problem[NET_ENDING_TEXT_SIZE];
    if (!hostGame(net, gameSetup, gameWorld, address, problem)) failGame(1, problem, true);
}

// A problem with the remembered settings never stops the game; it is told, once.
void warn(const char* problem) {
    std::fprintf(stderr, "voranis: %s\n", problem);
}

// The data folder becomes the working directory: a demo named from where the game started is
// named from the root first.
void nameFromRoot(char* path, size_t size) {
    if (path[0] == '\0') return;
    std::error_code failed;
    const std::string whole = std::filesystem::absolute(path, failed).string();
    if (!failed) std::snprintf(path, size, "%s", whole.c_str());
}

// A demo to watch instead of a game, without a network.
struct GameChoice {
    char demo[DEMO_PATH_BYTES]; // "" for a game
};

// The remembered choices under the command line's, then the demo it names, or the dialog
// unless the command line already says host or join; what was chosen is remembered for the
// next start.

GameChoice chooseGame(const CommandLine& line, NetSession& net) {
    gameSetup = startSetup();
    char problem[SETTINGS_PROBLEM_SIZE];
    if (!loadSettings(&gameSetup, problem)) warn(problem);
    applyCommandLine(line, &gameSetup);
    GameChoice chosen{};
    if (line.demo[0] != '\0') {
        std::snprintf(chosen.demo, sizeof chosen.demo, "%s", line.demo);
        return chosen;
    }
    if (line.mode == StartMode::DIALOG) {
        const SetupOutcome outcome = runSetupDialog(gameSetup, gameWorld, net, gameStep.bots);
        actOnDialog(outcome);
        std::snprintf(chosen.demo, sizeof chosen.demo, "%s", outcome.demo);
    } else if (line.mode == StartMode::HOST) {
        hostFromCommandLine(net);
        startBots(gameStep.bots, gameSetup.bots, gameSetup.botSkill, gameSetup.port);
    } else {
        joinGame(net, gameSetup, gameWorld, gameSetup.address);
    }
    if (!saveSettings(gameSetup, problem)) warn(problem);
    setLocalName(gameWorld.roster, gameSetup.name);
    gameWorld.match.rules = MatchRules{gameSetup.scoreLimit, gameSetup.timeLimitMinutes};
    setHostArenas(gameStep.host, gameSetup.isServer ? gameSetup.arena : "");
    return chosen;
}
} // namespace

void openGameWindowFor(WorldState& world) {
    const Resolution size = gameSetup.width > 0 ? Resolution{gameSetup.width, gameSetup.height}
                                                : resolutionTable[gameSetup.resolutionIndex];
    char reason[PLATFORM_PROBLEM_SIZE];
    if (!createGameWindow(GAME_NAME, size, reason, sizeof reason))
        failWithoutWindow("cannot create the game window", reason);
    if (!platformCreateGlContext(reason, sizeof reason))
        failWithoutWindow("cannot create the OpenGL context", reason);
    openGamepads();
    setupScene(SMALLEST_WIDTH, SMALLEST_HEIGHT, static_cast<float>(gameSetup.controls.fovDegrees));
    fitSceneToWindow();
    if (gameSetup.soundEnabled) soundStart();
    initTextures(TEXTURE_TABLE_SIZE);
    char unreadable[ASSET_PROBLEM_SIZE];
    if (!loadAssets(world, unreadable)) failGame(1, unreadable, false);
    if (gameSetup.soundEnabled) soundSetup();
    centreCursor();
    platformShowCursor(false);
}

int runGame(int argc, const char* const* argv) {
    CommandLine line;
    char problem[COMMAND_PROBLEM_SIZE];
    if (!parseCommandLine(argc, argv, &line, problem)) {
        std::fprintf(stderr, "voranis: %s\n", problem);
        printUsage(stderr);
        return EXIT_USAGE;
    }
    if (printHelpOrVersion(line.help, line.version, "voranis", printUsage)) return 0;
    if (line.verify) return verifyDemo(line.demo, stdout, stderr);
    setGameRecording(!line.noRecord);
    nameFromRoot(line.demo, sizeof line.demo);
    routeToolkitFailures();
    enterDataFolder();
    gameSrand(platformMilliseconds() & 0xFFFFu);
    resetPlayerTable(gameWorld.players);
    const GameChoice chosen = chooseGame(line, gameNet);

    if (chosen.demo[0] != '\0') return playDemo(chosen.demo);
    openGameWindowFor(gameWorld);
    resetFrameClock();
    showGameWindow();
    int exitCode = runMainLoop(runFrame);
    reportFrameCounts();
    platformCloseVideo();
    return exitCode;
}
