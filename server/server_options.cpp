// One table of keys serves the command line ("--key VALUE" or "--key=VALUE") and the config
// file ("key = value"), so that both take the same values and say the same about bad ones.
#include "server/server_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "step/bot_launcher.h"
#include "net/net.h"
#include "world/roster.h"

namespace {
constexpr int HIGHEST_PORT          = 65535;
constexpr int SERVER_LINE_SIZE      = 256; // a config line, with its end
constexpr int SHOWN_LINE_CHARS      = 40;  // of a value or a line, as a problem shows it
constexpr int PROBLEM_WHY_SIZE      = 256;
constexpr const char* ROTATE_ARENAS = "rotate";

enum class Key { HELP, VERSION, QUIET, CONFIG, PORT, NAME, BOTS, SKILL, SCORE, TIME, ARENA };

struct KeyRow {
    const char* key;
    Key which;
    const char* value; // how the usage names its value; null when it takes none
    bool inFile;       // a config file may set it
    int lowest, highest;
    int ServerOptions::*number; // where a number goes; null for the others
    const char* help;
};

// clang-format off
const KeyRow KEYS[] = {
    {"port", Key::PORT, "N", true, 1, HIGHEST_PORT, &ServerOptions::port,
     "take joiners on TCP port N (2345)"},
    {"name", Key::NAME, "NAME", true, 0, 0, nullptr,
     "the name the games list shows (at most 63 characters)"},
    {"bots", Key::BOTS, "N", true, 0, MAX_BOTS, &ServerOptions::bots,
     "start N bots (0 to 7) to play against"},
    {"skill", Key::SKILL, "1|2|3", true, 1, BOT_SKILL_LEVELS, &ServerOptions::skill,
     "the bots' skill: 1 easy, 2 normal, 3 hard"},
    {"score-limit", Key::SCORE, "N", true, 0, SERVER_LIMIT_MAX, &ServerOptions::scoreLimit,
     "a match ends at N kills (0 to 999, 0: never)"},
    {"time-limit", Key::TIME, "MIN", true, 0, SERVER_LIMIT_MAX, &ServerOptions::timeLimitMinutes,
     "a match ends after MIN minutes (0 to 999, 0: never)"},
    {"arena", Key::ARENA, "NAME|rotate", true, 0, 0, nullptr,
     "play the arena NAME, or another each match"},
    {"config", Key::CONFIG, "FILE", false, 0, 0, nullptr,
     "read key = value lines from FILE; options win"},
    {"quiet", Key::QUIET, nullptr, false, 0, 0, nullptr,
     "write no event lines on standard output"},
    {"version", Key::VERSION, nullptr, false, 0, 0, nullptr,
     "print the game's version and end"},
    {"help", Key::HELP, nullptr, false, 0, 0, nullptr,
     "print this help and end"},
};
// clang-format on

const KeyRow* findKey(const char* key, std::size_t length, bool inFile) {
    for (const KeyRow& row : KEYS) {
        if (std::strlen(row.key) == length && std::strncmp(row.key, key, length) == 0 &&
            (row.inFile || !inFile))
            return &row;
    }
    return nullptr;
}

// A value as a problem shows it: printable, cut to SHOWN_LINE_CHARS.
struct Shown {
    char text[SHOWN_LINE_CHARS + 1];
};

Shown shown(const char* value) {
    Shown out;
    printableText(value, SHOWN_LINE_CHARS, out.text, sizeof out.text);
    return out;
}

bool readNumber(const char* text, int lowest, int highest, int* number) {
    char* end        = nullptr;
    errno            = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < lowest || value > highest)
        return false;
    *number = static_cast<int>(value);
    return true;
}

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

// Sets what row names to value; false with why, naming the key as spelled, when it is bad.
bool setKey(const KeyRow& row, const char* spelled, const char* value, ServerOptions* options,
            char why[PROBLEM_WHY_SIZE]) {
    if (row.number) {
        if (readNumber(value, row.lowest, row.highest, &(options->*row.number))) return true;
        std::snprintf(why, PROBLEM_WHY_SIZE, "%s wants a number from %d to %d, not \"%s\"", spelled,
                      row.lowest, row.highest, shown(value).text);
        return false;
    }
    switch (row.which) {
    case Key::HELP:
        options->help = true;
        return true;
    case Key::VERSION:
        options->version = true;
        return true;
    case Key::QUIET:
        options->quiet = true;
        return true;
    case Key::CONFIG:
        if (std::strlen(value) < sizeof options->configFile) {
            std::snprintf(options->configFile, sizeof options->configFile, "%s", value);
            return true;
        }
        std::snprintf(why, PROBLEM_WHY_SIZE, "%s wants a shorter file name", spelled);
        return false;
    case Key::NAME:
        if (printableName(value)) {
            std::snprintf(options->name, sizeof options->name, "%s", value);
            return true;
        }
        std::snprintf(why, PROBLEM_WHY_SIZE,
                      "%s wants 1 to %d printable ASCII characters, not \"%s\"", spelled,
                      SERVER_NAME_CHARS, shown(value).text);
        return false;
    case Key::ARENA:
        options->rotateArenas = std::strcmp(value, ROTATE_ARENAS) == 0;
        if (options->rotateArenas || plainArenaName(value)) {
            std::snprintf(options->arena, sizeof options->arena, "%s",
                          options->rotateArenas ? "" : value);
            return true;
        }
        std::snprintf(why, PROBLEM_WHY_SIZE,
                      "%s wants \"rotate\" or a name of 1 to %d letters, digits, '_' or '-', "
                      "not \"%s\"",
                      spelled, ARENA_NAME_CHARS, shown(value).text);
        return false;
    default:
        return false; // numbers are set above
    }
}

bool applyArguments(int argc, const char* const* argv, ServerOptions* options,
                    char problem[SERVER_PROBLEM_SIZE]) {
    for (int i = 1; i < argc; ++i) {
        const char* word   = argv[i];
        const char* equals = std::strchr(word, '=');
        const std::size_t length =
            equals ? static_cast<std::size_t>(equals - word) : std::strlen(word);
        const KeyRow* row = nullptr;
        if (std::strcmp(word, "-h") == 0) {
            row = findKey("help", 4, false);
        } else if (std::strncmp(word, "--", 2) == 0) {
            row = findKey(word + 2, length - 2, false);
        } else if (word[0] != '-') {
            std::snprintf(problem, SERVER_PROBLEM_SIZE, "unexpected \"%s\"", shown(word).text);
            return false;
        }
        if (!row) {
            std::snprintf(problem, SERVER_PROBLEM_SIZE, "unknown option \"%s\"", shown(word).text);
            return false;
        }
        const char* value = nullptr;
        if (row->value) {
            value = equals ? equals + 1 : (i + 1 < argc ? argv[++i] : nullptr);
            if (!value) {
                std::snprintf(problem, SERVER_PROBLEM_SIZE, "--%s wants a value", row->key);
                return false;
            }
        } else if (equals) {
            std::snprintf(problem, SERVER_PROBLEM_SIZE, "--%s takes no value", row->key);
            return false;
        }
        char spelled[32], why[PROBLEM_WHY_SIZE];
        std::snprintf(spelled, sizeof spelled, "--%s", row->key);
        if (!setKey(*row, spelled, value, options, why)) {
            std::snprintf(problem, SERVER_PROBLEM_SIZE, "%s", why);
            return false;
        }
    }
    return true;
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
    char line[SERVER_LINE_SIZE], why[PROBLEM_WHY_SIZE];
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
            std::snprintf(why, sizeof why, "want key = value, not \"%s\"", shown(text).text);
        } else {
            const char* key   = trimmed(text, equals);
            const char* value = trimmed(equals + 1, equals + 1 + std::strlen(equals + 1));
            const KeyRow* row = findKey(key, std::strlen(key), true);
            if (row && setKey(*row, row->key, value, options, why)) continue;
            if (!row) std::snprintf(why, sizeof why, "unknown key \"%s\"", shown(key).text);
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
    for (const KeyRow& row : KEYS) {
        char head[32];
        std::snprintf(head, sizeof head, "--%s%s%s", row.key, row.value ? " " : "",
                      row.value ? row.value : "");
        std::fprintf(to, "  %-20s %s\n", head, row.help);
    }
}
