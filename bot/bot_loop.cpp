// The bot's program: the shared step with the brain as its input, at the game's own pace.
// Nothing is drawn.
#include "bot/bot_loop.h"

#include <cstdio>

#include "bot/bot_brain.h"
#include "net/net_session.h"
#include "platform/platform.h"
#include "step/game_step.h"
#include "step/step_loop.h"
#include "step/windowless_start.h"
#include "world/contact.h"
#include "world/random.h"

namespace {
constexpr uint32_t SEED_BITS = 0xFFFFu;
constexpr int EXIT_NO_DATA   = 1;

struct Bot {
    const BotOptions* options;
    const BotSkill* skill;
    BotMind mind;
    NetEnding ending; // the network's, once it ends the bot
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
        world.input.respawn = true;
    }
}

bool goesOn(WorldState&, uint32_t, const StepResult& result, const StepReport&, void* context) {
    static_cast<Bot*>(context)->ending = result.ending;
    return result.ending.exitCode == 0;
}
} // namespace

int runBot(const BotOptions& options) {
    WorldState world;
    // The same planets as everyone's: a bot without them would fly through what the others
    // steer round.
    char problem[START_PROBLEM_SIZE];
    if (!startWithoutWindow(world, problem)) {
        std::fprintf(stderr, "voranis-bot: %s\n", problem);
        return EXIT_NO_DATA;
    }
    // Bots started together differ by their process, or they would all spawn alike.
    const uint32_t seed =
        platformMilliseconds() ^ static_cast<uint32_t>(platformProcessId()) * 2654435761u;
    gameSrand(seed & SEED_BITS);
    // Static: the session holds every peer's held records, too much for the stack.
    static NetSession net;
    static StepState state;
    Bot bot{&options, &BOT_SKILLS[options.skill - 1], {}, {}};
    resetBotMind(&bot.mind, seed);
    const StepSetup setup{0, think, &bot};
    netJoinStart(net, options.address, options.port);
    StepClock clock{};
    static StepReport report;
    for (;;) {
        if (platformStarterGone()) {
            netShutdown(net);
            return 0;
        }
        if (!runStepsOwed(world, net, state, setup, clock, &report,
                          StepLoopHooks{goesOn, nullptr, &bot}))
            return endQuietly(net, bot.ending, options.quiet);
    }
}
