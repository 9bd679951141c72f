// Options, one row each: the name, whether it takes a value, and what it sets.
#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/window.h"
#include "step/bot_launcher.h"

namespace {
constexpr long HIGHEST_PORT = 65535;
constexpr int LARGEST_SIDE  = 16384; // past any screen; the window is cut to the real one
constexpr const char* RESOLUTION_WANTED =
    "--resolution wants desktop, or WxH from 640x480 up to the screen, not \"%s\"";

enum class Option {
    HELP,
    VERSION,
    HOST,
    JOIN,
    PORT,
    WINDOW,
    FULL_SCREEN,
    RESOLUTION,
    SOUND,
    NO_SOUND,
    NAME,
    BOTS,
    SKILL,
    SCORE_LIMIT,
    TIME_LIMIT,
    ARENA
};

struct OptionRow {
    const char* name;
    Option option;
    const char* value; // how the usage names its value; null when it takes none
    const char* help;
};

// clang-format off
const OptionRow OPTIONS[] = {
    {"--host",       Option::HOST,        nullptr,   "host a game at once, without the set-up dialog"},
    {"--join",       Option::JOIN,        "ADDRESS", "join the game at ADDRESS (a.b.c.d or a name[:port])"},
    {"--port",       Option::PORT,        "N",       "host on TCP port N (2345), join on it if ADDRESS has none"},
    {"--window",     Option::WINDOW,      nullptr,   "play in a window"},
    {"--fullscreen", Option::FULL_SCREEN, nullptr,   "play in full screen"},
    {"--resolution", Option::RESOLUTION,  "WxH",     "desktop (full screen's default) or a size, 640x480 up"},
    {"--sound",      Option::SOUND,       nullptr,   "play sound"},
    {"--no-sound",   Option::NO_SOUND,    nullptr,   "play without sound"},
    {"--name",       Option::NAME,        "NAME",    "the name the others see (at most 15 characters)"},
    {"--bots",       Option::BOTS,        "N",       "with --host: start N bots (0 to 7) to play against"},
    {"--skill",      Option::SKILL,       "1|2|3",   "the bots' skill: 1 easy, 2 normal, 3 hard"},
    {"--score-limit", Option::SCORE_LIMIT, "N",      "a match ends at N kills (10; 0 for no limit)"},
    {"--time-limit", Option::TIME_LIMIT,  "MIN",     "a match ends after MIN minutes (10; 0: none)"},
    {"--arena",      Option::ARENA,       "NAME|rotate", "host in arenas/NAME.uni, or in each in turn"},
    {"--version",    Option::VERSION,     nullptr,   "print the game's version and end"},
    {"--help",       Option::HELP,        nullptr,   "print this help and end"},
    {"-h",           Option::HELP,        nullptr,   nullptr},
};
// clang-format on

const OptionRow* findOption(const char* name, std::size_t length) {
    for (const OptionRow& row : OPTIONS) {
        if (std::strlen(row.name) == length && std::strncmp(row.name, name, length) == 0)
            return &row;
    }
    return nullptr;
}

// "desktop", a size of the table (its row), or any other size (kept beside the table).
bool readResolution(const char* text, CommandLine* line) {
    if (std::strcmp(text, "desktop") == 0) {
        line->resolutionIndex = DESKTOP_RESOLUTION;
        line->width = line->height = 0;
        return true;
    }
    int w = 0, h = 0, end = 0;
    if (std::sscanf(text, "%5dx%5d%n", &w, &h, &end) != 2 || text[end] != '\0' ||
        w < SMALLEST_WIDTH || h < SMALLEST_HEIGHT || w > LARGEST_SIDE || h > LARGEST_SIDE)
        return false;
    for (int i = 0; i < RESOLUTION_COUNT; ++i) {
        if (resolutionTable[i].width == w && resolutionTable[i].height == h) {
            line->resolutionIndex = i;
            line->width = line->height = 0;
            return true;
        }
    }
    line->width  = w;
    line->height = h;
    return true;
}

bool readNumber(const char* text, long lowest, long highest, int* number) {
    char* end        = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < lowest || value > highest) return false;
    *number = static_cast<int>(value);
    return true;
}

bool fail(char problem[COMMAND_PROBLEM_SIZE], const char* format, const char* what) {
    std::snprintf(problem, COMMAND_PROBLEM_SIZE, format, what);
    return false;
}

bool take(const OptionRow& row, const char* value, CommandLine* line,
          char problem[COMMAND_PROBLEM_SIZE]) {
    switch (row.option) {
    case Option::HELP:
        line->help = true;
        return true;
    case Option::VERSION:
        line->version = true;
        return true;
    case Option::HOST:
        if (line->mode == StartMode::JOIN)
            return fail(problem, "%s", "--host and --join exclude each other");
        line->mode = StartMode::HOST;
        return true;
    case Option::JOIN:
        if (line->mode == StartMode::HOST)
            return fail(problem, "%s", "--host and --join exclude each other");
        line->mode = StartMode::JOIN;
        std::snprintf(line->join, sizeof line->join, "%s", value);
        return true;
    case Option::PORT:
        return readNumber(value, 1, HIGHEST_PORT, &line->port) ||
               fail(problem, "--port wants a number from 1 to 65535, not \"%s\"", value);
    case Option::WINDOW:
        line->fullScreen = 0;
        return true;
    case Option::FULL_SCREEN:
        line->fullScreen = 1;
        return true;
    case Option::RESOLUTION:
        return readResolution(value, line) || fail(problem, RESOLUTION_WANTED, value);
    case Option::SOUND:
        line->soundEnabled = 1;
        return true;
    case Option::NO_SOUND:
        line->soundEnabled = 0;
        return true;
    case Option::NAME:
        line->nameGiven = true;
        printableText(value, PLAYER_NAME_CHARS, line->name, sizeof line->name);
        return true;
    case Option::BOTS:
        return readNumber(value, 0, MAX_BOTS, &line->bots) ||
               fail(problem, "--bots wants a number from 0 to 7, not \"%s\"", value);
    case Option::SKILL:
        return readNumber(value, 1, BOT_SKILL_LEVELS, &line->botSkill) ||
               fail(problem, "--skill wants 1, 2 or 3, not \"%s\"", value);
    case Option::SCORE_LIMIT:
        return readNumber(value, 0, MAX_SCORE_LIMIT, &line->scoreLimit) ||
               fail(problem, "--score-limit wants a number from 0 to 999, not \"%s\"", value);
    case Option::TIME_LIMIT:
        return readNumber(value, 0, MAX_TIME_LIMIT_MINUTES, &line->timeLimitMinutes) ||
               fail(problem, "--time-limit wants minutes from 0 to 999, not \"%s\"", value);
    case Option::ARENA:
        if (!isPlainName(value, ARENA_NAME_BYTES))
            return fail(problem, "--arena wants a name of letters, digits, _ or -, not \"%s\"",
                        value);
        std::snprintf(line->arena, sizeof line->arena, "%s", value);
        return true;
    }
    return false;
}
} // namespace

bool parseCommandLine(int argc, const char* const* argv, CommandLine* line,
                      char problem[COMMAND_PROBLEM_SIZE]) {
    *line                  = CommandLine{};
    line->mode             = StartMode::DIALOG;
    line->port             = NOT_GIVEN;
    line->resolutionIndex  = NOT_GIVEN;
    line->fullScreen       = NOT_GIVEN;
    line->soundEnabled     = NOT_GIVEN;
    line->bots             = NOT_GIVEN;
    line->botSkill         = NOT_GIVEN;
    line->scoreLimit       = NOT_GIVEN;
    line->timeLimitMinutes = NOT_GIVEN;
    for (int i = 1; i < argc; ++i) {
        const char* word   = argv[i];
        const char* equals = std::strchr(word, '=');
        const std::size_t length =
            equals ? static_cast<std::size_t>(equals - word) : std::strlen(word);
        const OptionRow* row = findOption(word, length);
        if (!row) return fail(problem, "unknown option \"%s\"", word);
        const char* value = nullptr;
        if (row->value) {
            value = equals ? equals + 1 : (i + 1 < argc ? argv[++i] : nullptr);
            if (!value) return fail(problem, "%s wants a value", row->name);
        } else if (equals) {
            return fail(problem, "%s takes no value", row->name);
        }
        if (!take(*row, value, line, problem)) return false;
    }
    return true;
}

void applyCommandLine(const CommandLine& line, GameSetup* setup) {
    if (line.port != NOT_GIVEN) setup->port = line.port;
    if (line.resolutionIndex != NOT_GIVEN) setup->resolutionIndex = line.resolutionIndex;
    setup->width  = line.width;
    setup->height = line.height;
    if (line.fullScreen != NOT_GIVEN) setup->fullScreen = line.fullScreen;
    if (line.soundEnabled != NOT_GIVEN) setup->soundEnabled = line.soundEnabled;
    if (line.bots != NOT_GIVEN) setup->bots = line.bots;
    if (line.botSkill != NOT_GIVEN) setup->botSkill = line.botSkill;
    if (line.scoreLimit != NOT_GIVEN) setup->scoreLimit = line.scoreLimit;
    if (line.timeLimitMinutes != NOT_GIVEN) setup->timeLimitMinutes = line.timeLimitMinutes;
    if (line.arena[0] != '\0') std::snprintf(setup->arena, sizeof setup->arena, "%s", line.arena);
    if (line.nameGiven) std::snprintf(setup->name, sizeof setup->name, "%s", line.name);
    if (line.mode == StartMode::JOIN)
        std::snprintf(setup->address, sizeof setup->address, "%s", line.join);
}

void printUsage(FILE* to) {
    std::fprintf(to, "Usage: voranis [OPTION]...\n"
                     "A space-combat game for up to eight players on a local network. Without\n"
                     "--host or --join the set-up dialog asks; the choices are remembered.\n\n");
    for (const OptionRow& row : OPTIONS) {
        if (!row.help) continue; // a short spelling of the row above
        char head[32];
        std::snprintf(head, sizeof head, "%s%s%s", row.name, row.value ? " " : "",
                      row.value ? row.value : "");
        std::fprintf(to, "  %-20s %s\n", head, row.help);
    }
}
