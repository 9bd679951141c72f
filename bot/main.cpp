// voranis-bot: somebody to fight when the network is small.
//
//   voranis-bot ADDRESS [--skill 1|2|3] [--name NAME] [--quiet]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bot/bot_loop.h"
#include "step/options.h"
#include "step/game_version.h"
#include "net/net.h"
#include "bot/bot_brain.h"

namespace {
constexpr const char* BOT_USAGE =
    "Usage: voranis-bot ADDRESS [OPTION]...\n"
    "Joins the game at ADDRESS (a.b.c.d or a name[:port]) as a computer player.\n\n"
    "  --skill 1|2|3   how well it plays: 1 easy, 2 normal (the default), 3 hard\n"
    "  --name NAME     the name the others see (BOT n, n its slot, by default)\n"
    "  --quiet         no word on standard error when it ends\n"
    "  --version       print the game's version and end\n"
    "  --help          print this help and end\n";

int usageError(const char* problem, const char* what) {
    std::fprintf(stderr, "voranis-bot: ");
    std::fprintf(stderr, problem, what);
    std::fprintf(stderr, "\n%s", BOT_USAGE);
    return EXIT_USAGE;
}

bool readSkill(const char* text, int* skill) {
    char* end        = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > BOT_SKILL_LEVELS) return false;
    *skill = static_cast<int>(value);
    return true;
}
} // namespace

int main(int argc, char** argv) {
    BotOptions options{};
    options.port     = NET_PORT;
    options.skill    = DEFAULT_BOT_SKILL;
    bool haveAddress = false;
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        const bool value = i + 1 < argc;
        if (std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0) {
            std::printf("%s", BOT_USAGE);
            return 0;
        } else if (std::strcmp(word, "--version") == 0) {
            std::printf("voranis-bot %s\n", GAME_VERSION);
            return 0;
        } else if (std::strcmp(word, "--quiet") == 0) {
            options.quiet = true;
        } else if (std::strcmp(word, "--skill") == 0) {
            if (!value || !readSkill(argv[++i], &options.skill))
                return usageError("--skill wants 1, 2 or 3%s", "");
        } else if (std::strcmp(word, "--name") == 0) {
            if (!value) return usageError("--name wants a name%s", "");
            printableText(argv[++i], PLAYER_NAME_CHARS, options.name, sizeof options.name);
        } else if (word[0] == '-' || haveAddress) {
            return usageError("unexpected \"%s\"", word);
        } else {
            std::snprintf(options.address, sizeof options.address, "%s", word);
            haveAddress = true;
        }
    }
    if (!haveAddress) return usageError("no address to join%s", "");
    return runBot(options);
}
