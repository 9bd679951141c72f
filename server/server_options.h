// What the dedicated server is told: its command line and its config file of key = value
// lines, whose keys are the long options without their dashes.
#pragma once

#include <cstdio>

#include "net/discovery_protocol.h"

constexpr int SERVER_NAME_CHARS   = DISCOVERY_NAME_SIZE - 1; // as discovery replies carry it
constexpr int ARENA_NAME_CHARS    = 20;
constexpr int SERVER_LIMIT_MAX    = 999; // kills of a score limit, minutes of a time limit
constexpr int SERVER_PATH_SIZE    = 1024;
constexpr int SERVER_PROBLEM_SIZE = SERVER_PATH_SIZE + 256; // a file's name and what is wrong
constexpr const char* DEFAULT_SERVER_NAME = "Voranis server";

struct ServerOptions {
    bool help;
    bool version;
    bool quiet;                          // no event lines on standard output
    int port;                            // TCP, 1 to 65535; discovery stays on UDP 2345
    char name[SERVER_NAME_CHARS + 1];    // what the games list shows; printable ASCII
    int bots;                            // 0 to MAX_BOTS, started beside the server
    int skill;                           // the bots', 1 (easy) to 3 (hard)
    int scoreLimit;                      // kills that end a match; 0: none
    int timeLimitMinutes;                // minutes that end a match; 0: none
    bool rotateArenas;                   // another arena every match, in turn
    char arena[ARENA_NAME_CHARS + 1];    // letters, digits, '_' and '-'; "" for the game's own
    char configFile[SERVER_PATH_SIZE];   // --config's, "" when none was given
    char recordFolder[SERVER_PATH_SIZE]; // --record's: every match a demo there; "" for none
};

// Port 2345, DEFAULT_SERVER_NAME, no bots at skill 2, no limits, the game's own arena.
ServerOptions defaultServerOptions();

// The command line (argv[0] the program's name) over the config file it names: an option
// given on the line wins over the file wherever it stands. False, with what is wrong in
// problem ("FILE:LINE: ..." for a line of the file), for an unknown option or key, a missing
// or bad value, or a file that cannot be read; the caller then prints
// "voranis-server: PROBLEM" and ends with EXIT_USAGE.
bool parseServerOptions(int argc, const char* const* argv, ServerOptions* options,
                        char problem[SERVER_PROBLEM_SIZE]);

// Every line of a config file over options: blank lines and lines whose first non-blank is
// '#' pass, the others are "key = value" (value the rest of the line, trimmed). fileName
// names the file in a problem; options keeps the lines before a bad one.
bool readServerConfig(FILE* from, const char* fileName, ServerOptions* options,
                      char problem[SERVER_PROBLEM_SIZE]);

void printServerUsage(FILE* to); // --help, no line beyond 80 columns
