// voranis-bot: somebody to fight when the network is small.
//
//   voranis-bot ADDRESS [--skill 1|2|3] [--name NAME] [--quiet]
#include <cstdio>
#include <cstring>

#include "bot/bot_brain.h"
#include "bot/bot_loop.h"
#include "net/net.h"
#include "step/options.h"

namespace {
enum BotOption { SKILL, NAME, QUIET, VERSION, HELP };

constexpr int HELP_COLUMN = 15;

// clang-format off
const OptionRow OPTIONS[] = {
    {"skill",   "1|2|3", "how well it plays: 1 easy, 2 normal (the default), 3 hard",
     OptionKind::NUMBER, 1, BOT_SKILL_LEVELS, "1, 2 or 3", SKILL, false},
    {"name",    "NAME",  "the name the others see (BOT n, n its slot, by default)",
     OptionKind::TEXT, 0, 0, nullptr, NAME, false},
    {"quiet",   nullptr, "no word on standard error when it ends",
     OptionKind::FLAG, 0, 0, nullptr, QUIET, false},
    {"version", nullptr, "print the game's version and end",
     OptionKind::FLAG, 0, 0, nullptr, VERSION, false},
    {"help",    nullptr, "print this help and end",
     OptionKind::FLAG, 0, 0, nullptr, HELP, false},
};
// clang-format on
constexpr int OPTION_COUNT = sizeof OPTIONS / sizeof OPTIONS[0];

struct BotLine {
    BotOptions options;
    bool haveAddress;
    bool help, version;
};

void printBotUsage(FILE* to) {
    std::fprintf(to, "Usage: voranis-bot ADDRESS [OPTION]...\n"
                     "Joins the game at ADDRESS (a.b.c.d or a name[:port]) as a computer "
                     "player.\n\n");
    printOptionRows(to, OPTIONS, OPTION_COUNT, HELP_COLUMN);
}

int usageError(const char* problem) {
    std::fprintf(stderr, "voranis-bot: %s\n", problem);
    printBotUsage(stderr);
    return EXIT_USAGE;
}

bool take(const OptionRow& row, const char*, const char* value, int number, void* context,
          char[OPTION_PROBLEM_SIZE]) {
    BotLine& line = *static_cast<BotLine*>(context);
    switch (row.id) {
    case SKILL:
        line.options.skill = number;
        break;
    case NAME:
        printableText(value, PLAYER_NAME_CHARS, line.options.name, sizeof line.options.name);
        break;
    case QUIET:
        line.options.quiet = true;
        break;
    case VERSION:
        line.version = true;
        break;
    default:
        line.help = true;
        break;
    }
    return true;
}

// The one word that is no option: the address to join.
bool takeAddress(const char* word, void* context, char why[OPTION_PROBLEM_SIZE]) {
    BotLine& line = *static_cast<BotLine*>(context);
    if (line.haveAddress) {
        std::snprintf(why, OPTION_PROBLEM_SIZE, "unexpected \"%s\"", shownValue(word).text);
        return false;
    }
    std::snprintf(line.options.address, sizeof line.options.address, "%s", word);
    line.haveAddress = true;
    return true;
}
} // namespace

int main(int argc, char** argv) {
    BotLine line{};
    line.options.port  = NET_PORT;
    line.options.skill = DEFAULT_BOT_SKILL;
    char problem[OPTION_PROBLEM_SIZE];
    if (!parseOptions(argc, argv, OPTIONS, OPTION_COUNT, OptionTaker{take, takeAddress, &line},
                      problem))
        return usageError(problem);
    if (printHelpOrVersion(line.help, line.version, "voranis-bot", printBotUsage)) return 0;
    if (!line.haveAddress) return usageError("no address to join");
    return runBot(line.options);
}
