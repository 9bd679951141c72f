// One table of keys serves the command line ("--key VALUE" or "--key=VALUE") and the config
// file ("key = value"), so that both take the same values and say the same about bad ones.
#include "server/server_options.h"

#include <cctype>
#include <cerrno>
#include <cstring>

#include "net/net.h"
#include "step/bot_launcher.h"
#include "step/options.h"
#include "world/roster.h"

namespace {
constexpr int HIGHEST_PORT          = 65535;
constexpr int SERVER_LINE_SIZE      = 256; // a config line, with its end
constexpr int HELP_COLUMN           = 20;
constexpr const char* ROTATE_ARENAS = "rotate";

enum Key { HELP, VERSION, QUIET, CONFIG, PORT, NAME, BOTS, SKILL, SCORE, TIME, ARENA, RECORD };

constexpr OptionKind FLAG   = OptionKind::FLAG;
constexpr OptionKind NUMBER = OptionKind::NUMBER;
constexpr OptionKind TEXT   = OptionKind::TEXT;

// clang-format off
const OptionRow KEYS[] = {
    {"port", "N", "take joiners on TCP port N (2345)",
     NUMBER, 1, HIGHEST_PORT, nullptr, PORT, true},
    {"name", "NAME", "the name the games list shows (at most 63 characters)",
     TEXT, 0, 0, nullptr, NAME, true},
    {"bots", "N", "start N bots (0 to 7) to play against",
     NUMBER, 0, MAX_BOTS, nullptr, BOTS, true},
    {"skill", "1|2|3", "the bots' skill: 1 easy, 2 normal, 3 hard",
     NUMBER, 1, BOT_SKILL_LEVELS, nullptr, SKILL, true},
    {"score-limit", "N", "a match ends at N kills (0 to 999, 0: never)",
     NUMBER, 0, SERVER_LIMIT_MAX, nullptr, SCORE, true},
    {"time-limit", "MIN", "a match ends after MIN minutes (0 to 999, 0: never)",
     NUMBER, 0, SERVER_LIMIT_MAX, nullptr, TIME, true},
    {"arena", "NAME|rotate", "play the arena NAME, or another each match",
     TEXT, 0, 0, nullptr, ARENA, true},
    {"record", "DIR", "record every match as a demo in folder DIR",
     TEXT, 0, 0, nullptr, RECORD, true},
    {"config", "FILE", "read key = value lines from FILE; options win",
     TEXT, 0, 0, nullptr, CONFIG, false},
    {"quiet", nullptr, "write no event lines on standard output",
     FLAG, 0, 0, nullptr, QUIET, false},
    {"version", nullptr, "print the game's version and end",
     FLAG, 0, 0, nullptr, VERSION, false},
    {"help", nullptr, "print this help and end",
     FLAG, 0, 0, nullptr, HELP, false},
};
// clang-format on
constexpr int KEY_COUNT = sizeof KEYS / sizeof KEYS[0];

bool printableName(const char* text) {
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > SERVER_NAME_CHARS) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] < ' ' || text[i] > '~') return false;
    return true;
}

bool plainArenaName(const char* text) {
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > ARENA_NAME_CHARS) return false;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '_' && c != '-') return false;
    }
    return true;
}

// Sets what row names to value (number, read already, for a number); false with why when it
// is bad.
bool setKey(const OptionRow& row, const char* spelledKey, const char* value, int number,
            void* context, char why[OPTION_PROBLEM_SIZE]) {
    ServerOptions* options = static_cast<ServerOptions*>(context);
    switch (row.id) {
    case HELP:
        options->help = true;
        return true;
    case VERSION:
        options->version = true;
        return true;
    case QUIET:
        options->quiet = true;
        return true;
    case PORT:
        options->port = number;
        return true;
    case BOTS:
        options->bots = number;
        return true;
    case SKILL:
        options->skill = number;
        return true;
    case SCORE:
        options->scoreLimit = number;
        return true;
    case TIME:
        options->timeLimitMinutes = number;
        return true;
    case CONFIG:
        if (std::strlen(value) < sizeof options->configFile) {
            std::snprintf(options->configFile, sizeof options->configFile, "%s", value);
            return true;
        }
        std::snprintf(why, OPTION_PROBLEM_SIZE, "%s wants a shorter file name", spelledKey);
        return false;
    case NAME:
        if (printableName(value)) {
            std::snprintf(options->name, sizeof options->name, "%s", value);
            return true;
        }
        std::snprintf(why, OPTION_PROBLEM_SIZE,
                      "%s wants 1 to %d printable ASCII characters, not \"%s\"", spelledKey,
                      SERVER_NAME_CHARS, shownValue(value).text);
        return false;
    case ARENA:
        options->rotateArenas = std::strcmp(value, ROTATE_ARENAS) == 0;
        if (options->rotateArenas || plainArenaName(value)) {
            std::snprintf(options->arena, sizeof options->arena, "%s",
                          options->rotateArenas ? "" : value);
            return true;
        }
        std::snprintf(why, OPTION_PROBLEM_SIZE,
                      "%s wants \"rotate\" or a name of 1 to %d letters, digits, '_' or '-', "
                      "not \"%s\"",
                      spelledKey, ARENA_NAME_CHARS, shownValue(value).text);
        return false;
    case RECORD:
        if (std::strlen(value) > 0 && std::strlen(value) < sizeof options->recordFolder) {
            std::snprintf(options->recordFolder, sizeof options->recordFolder, "%s", value);
            return true;
        }
        std::snprintf(why, OPTION_PROBLEM_SIZE, "%s wants a folder's path, not \"%s\"", spelledKey,
                      shownValue(value).text);
        return false;
    default:
        return false;
    }
}

bool applyArguments(int argc, const char* const* argv, ServerOptions* options,
                    char problem[SERVER_PROBLEM_SIZE]) {
    return parseOptions(argc, argv, KEYS, KEY_COUNT, OptionTaker{setKey, nullptr, options},
                        problem);
}

// The row a config file may set by key, nullptr when none.
const OptionRow* fileKey(const char* key) {
    const OptionRow* row = findOption(KEYS, KEY_COUNT, key, std::strlen(key));
    return row && row->inFile ? row : nullptr;
}

enum class LineRead { END, TEXT, TOO_LONG, NUL };

// The next line without its end; a longer one is read to its end all the same.
LineRead nextLine(FILE* from, char line[SERVER_LINE_SIZE]) {
    int c = std::getc(from), n = 0;
    if (c == EOF) return LineRead::END;
    LineRead read = LineRead::TEXT;
    for (; c != EOF && c != '\n'; c = std::getc(from)) {
        if (c == '\0') read = LineRead::NUL;
        if (n + 1 < SERVER_LINE_SIZE) {
            line[n++] = static_cast<char>(c);
        } else if (read == LineRead::TEXT) {
            read = LineRead::TOO_LONG;
        }
    }
    line[n] = '\0';
    return read;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The text from start without blanks at either end, ended in place.
char* trimmed(char* start, char* end) {
    while (start < end && isBlank(*start))
        ++start;
    while (end > start && isBlank(end[-1]))
        --end;
    *end = '\0';
    return start;
}
} // namespace

ServerOptions defaultServerOptions() {
    ServerOptions options{};
    options.port  = NET_PORT;
    options.skill = DEFAULT_BOT_SKILL;
    std::snprintf(options.name, sizeof options.name, "%s", DEFAULT_SERVER_NAME);
    return options;
}

bool readServerConfig(FILE* from, const char* fileName, ServerOptions* options,
                      char problem[SERVER_PROBLEM_SIZE]) {
    char line[SERVER_LINE_SIZE], why[OPTION_PROBLEM_SIZE];
    for (int number = 1;; ++number) {
        const LineRead read = nextLine(from, line);
        if (read == LineRead::END) return true;
        char* text   = trimmed(line, line + std::strlen(line));
        char* equals = std::strchr(text, '=');
        if (read == LineRead::TOO_LONG) {
            std::snprintf(why, sizeof why, "a line longer than %d characters",
                          SERVER_LINE_SIZE - 1);
        } else if (read == LineRead::NUL) {
            std::snprintf(why, sizeof why, "a NUL byte: is this a text file?");
        } else if (text[0] == '\0' || text[0] == '#') {
            continue;
        } else if (!equals) {
            std::snprintf(why, sizeof why, "want key = value, not \"%s\"", shownValue(text).text);
        } else {
            const char* key      = trimmed(text, equals);
            const char* value    = trimmed(equals + 1, equals + 1 + std::strlen(equals + 1));
            const OptionRow* row = fileKey(key);
            if (row &&
                takeOption(*row, row->name, value, OptionTaker{setKey, nullptr, options}, why))
                continue;
            if (!row) std::snprintf(why, sizeof why, "unknown key \"%s\"", shownValue(key).text);
        }
        std::snprintf(problem, SERVER_PROBLEM_SIZE, "%s:%d: %s", fileName, number, why);
        return false;
    }
}

bool parseServerOptions(int argc, const char* const* argv, ServerOptions* options,
                        char problem[SERVER_PROBLEM_SIZE]) {
    ServerOptions line = defaultServerOptions();
    if (!applyArguments(argc, argv, &line, problem)) return false;
    if (line.help || line.version || line.configFile[0] == '\0') {
        *options = line;
        return true;
    }
    FILE* file = std::fopen(line.configFile, "r");
    if (!file) {
        std::snprintf(problem, SERVER_PROBLEM_SIZE, "cannot read %s: %s", line.configFile,
                      std::strerror(errno));
        return false;
    }
    ServerOptions merged = defaultServerOptions();
    const bool read      = readServerConfig(file, line.configFile, &merged, problem);
    std::fclose(file);
    // The line once more over the file: it was read without fault already.
    if (!read || !applyArguments(argc, argv, &merged, problem)) return false;
    *options = merged;
    return true;
}

void printServerUsage(FILE* to) {
    std::fprintf(to, "Usage: voranis-server [OPTION]...\n"
                     "Hosts a Voranis game without a ship of its own, for up to seven joiners;\n"
                     "one line on standard output for every event. A config file holds\n"
                     "key = value lines, the keys those of the options without dashes.\n\n");
    printOptionRows(to, KEYS, KEY_COUNT, HELP_COLUMN);
}
