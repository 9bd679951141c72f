// The bot's program: the shared step with the brain as its input, at the game's own pace.
// Nothing is drawn.
#include "bot/bot_loop.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "bot/bot_brain.h"
#include "net/net_session.h"
#include "platform/platform.h"
#include "step/data_folder.h"
#include "step/game_step.h"
#include "step/step_wait.h"
#include "world/contact.h"
#include "world/random.h"
#include "world/step_clock.h"
#include "world/universe.h"

namespace {
constexpr uint32_t SEED_BITS = 0xFFFFu;
constexpr int EXIT_NO_DATA   = 1;

struct Bot {
    const BotOptions* options;
    const BotSkill* skill;
    BotMind mind;
};

int endQuietly(NetSession& net, const NetEnding& ending, bool quiet) {
    if (!quiet) std::fprintf(stderr, "voranis-bot: %s\n", ending.text);
    netShutdown(net);
    return ending.exitCode;
}

// Until its machine tells otherwise, a bot is named for its slot.
void nameForSlot(WorldState& world, const BotOptions& options) {
    char name[PLAYER_NAME_CHARS + 1];
    if (options.name[0] != '\0') {
        setLocalName(world.roster, options.name);
    } else {
        std::snprintf(name, sizeof name, "BOT %d", static_cast<int>(world.localPlayer));
        setLocalName(world.roster, name);
    }
}

// The brain plays where a player's hands would: after the exchange, before the simulation.
void think(WorldState& world, void* context) {
    Bot& bot = *static_cast<Bot*>(context);
    if (!isValidSlot(world.localPlayer)) return;
    nameForSlot(world, *bot.options);
    if (world.players[world.localPlayer].health > 0) {
        thinkBot(world, &bot.mind, *bot.skill);
    } else if (botWantsRespawn(&bot.mind)) {
        spawnLocalPlayer(world, world.localPlayer);
    }
}
} // namespace

int runBot(const BotOptions& options) {
    WorldState world;
    resetWorld(world);
    // The same planets as everyone's, from the game's data folder: a bot without them would
    // fly through what the others steer round.
    enterDataFolder();
    // Its picture names too: the host's arena is taken only if it names the same.
    if (!loadUniverse(world, UNIVERSE_FILE, &world.planetTextures)) {
        std::fprintf(stderr, "voranis-bot: cannot read %s: %s\n", UNIVERSE_FILE,
                     std::strerror(errno));
        return EXIT_NO_DATA;
    }
    // Bots started together differ by their process, or they would all spawn alike.
    const uint32_t seed =
        platformMilliseconds() ^ static_cast<uint32_t>(platformProcessId()) * 2654435761u;
    gameSrand(seed & SEED_BITS);
    resetPlayerTable(world.players);
    // Static: the session holds every peer's held records, too much for the stack.
    static NetSession net;
    Bot bot{&options, &BOT_SKILLS[options.skill - 1], {}};
    resetBotMind(&bot.mind, seed);
    const StepSetup setup{0, think, &bot};
    netJoinStart(net, options.address, options.port);
    StepClock clock{};
    static FrameReport report;
    for (;;) {
        if (platformStarterGone()) {
            netShutdown(net);
            return 0;
        }
        const StepsDue due = takeStepsDue(clock, platformMilliseconds());
        for (int k = 0; k < due.count; ++k) {
            const uint32_t stepMs   = due.firstMs + static_cast<uint32_t>(k) * STEP_MS;
            const StepResult result = runStep(world, net, setup, stepMs, &report);
            if (result.ending.exitCode != 0) return endQuietly(net, result.ending, options.quiet);
        }
        waitUntilStep(net, clock.nextStepMs);
    }
}
