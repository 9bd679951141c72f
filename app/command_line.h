// The command line, the way Linux games take one: every choice of the set-up dialog, and
// --host or --join to skip it.
#pragma once

#include <cstdio>

#include "app/game_setup.h"
#include "step/options.h"

constexpr int COMMAND_PROBLEM_SIZE = OPTION_PROBLEM_SIZE;
constexpr int NOT_GIVEN            = -1;
constexpr int MOST_BIND_OPTIONS    = 2 * ACTION_COUNT * INPUTS_PER_ACTION; // room to change minds
constexpr int DEMO_PATH_SIZE       = 1024;

enum class StartMode { DIALOG, HOST, JOIN };

struct CommandLine {
    bool help;
    bool version;
    StartMode mode = StartMode::DIALOG;
    char join[SETUP_ADDRESS_SIZE];   // --join's address
    int port            = NOT_GIVEN; // NOT_GIVEN, or 1 to 65535
    int resolutionIndex = NOT_GIVEN; // NOT_GIVEN, or an index into resolutionTable
    int width, height;               // a size off the table, else 0
    int fullScreen   = NOT_GIVEN;    // NOT_GIVEN, 0 or 1
    int soundEnabled = NOT_GIVEN;    // NOT_GIVEN, 0 or 1
    bool nameGiven;
    char name[PLAYER_NAME_CHARS + 1];
    int bots             = NOT_GIVEN;      // NOT_GIVEN, or 0 to MAX_BOTS
    int botSkill         = NOT_GIVEN;      // NOT_GIVEN, or 1 to 3
    int scoreLimit       = NOT_GIVEN;      // NOT_GIVEN, or 0 to MAX_SCORE_LIMIT
    int timeLimitMinutes = NOT_GIVEN;      // NOT_GIVEN, or 0 to MAX_TIME_LIMIT_MINUTES
    char arena[ARENA_NAME_BYTES + 1];      // "" when not given; a name or "rotate"
    int sensitivityHundredths = NOT_GIVEN; // NOT_GIVEN, or the look's sensitivity in hundredths
    int invertPitch           = NOT_GIVEN; // NOT_GIVEN, 0 or 1
    int fovDegrees            = NOT_GIVEN; // NOT_GIVEN, or FOV_LOWEST to FOV_HIGHEST
    int padLookSpeed          = NOT_GIVEN; // NOT_GIVEN, or PAD_LOOK_LOWEST to PAD_LOOK_HIGHEST
    int padDeadZone           = NOT_GIVEN; // NOT_GIVEN, or a percentage up to PAD_DEAD_ZONE_HIGHEST
    int bindCount;                         // --bind options, applied in their order
    char binds[MOST_BIND_OPTIONS][BINDING_TEXT_SIZE];
    char demo[DEMO_PATH_SIZE]; // --demo's file, "" when not given
    bool verify;               // with --demo: check it without a window
    bool noRecord;             // record no demo of this game
};

// False, with what is wrong in problem, for an unknown option, a missing or bad value, or
// --host with --join.
bool parseCommandLine(int argc, const char* const* argv, CommandLine* line,
                      char problem[COMMAND_PROBLEM_SIZE]);
// What the command line chose, over the remembered choices.
void applyCommandLine(const CommandLine& line, GameSetup* setup);
void printUsage(FILE* to);
