// The server's loop on the step clock, as the bot's: every step owed, then the network's wait,
// which a stop signal cuts short (the wait's poll ends at any signal).
#include "server/server_loop.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "net/net_host.h"
#include "platform/platform.h"
#include "server/event_log.h"
#include "step/arena_choice.h"
#include "step/bot_launcher.h"
#include "step/data_folder.h"
#include "step/game_step.h"
#include "step/game_version.h"
#include "step/match_host.h"
#include "step/step_wait.h"
#include "world/step_clock.h"
#include "world/universe.h"

namespace {
// What the event lines have told of each slot so far.
struct Told {
    bool inUse[MAX_PLAYERS];
    bool named[MAX_PLAYERS];
    char name[MAX_PLAYERS][PLAYER_NAME_BYTES + 1];
};

struct Server {
    FILE* log;
    uint32_t steps;
    Told told;
    int32_t matchEndTold; // the number of the last match whose end was logged
};

// The step's input: no ship to fly, only the heartbeat. Sent inside the step, so that a peer
// given up for its silence shows in the step's dropped slots.
void sendHeartbeat(WorldState&, void* context) {
    Server& server = *static_cast<Server*>(context);
    netSend(makeHeartbeatMessage(server.steps++));
}

void tellSlots(Server& server, const WorldState& world, uint32_t gone, std::time_t now) {
    const uint32_t left = netTakeLeftSlots();
    Told& told          = server.told;
    char name[PLAYER_NAME_BYTES + 1], address[NET_ADDRESS_TEXT_SIZE];
    for (int slot = FIRST_PEER_SLOT; slot < MAX_PLAYERS; ++slot) {
        const uint32_t bit = 1u << slot;
        if ((gone & bit) && told.inUse[slot]) {
            playerName(world, slot, name);
            (left & bit ? logLeave : logDrop)(server.log, now, slot, name);
            told.inUse[slot] = told.named[slot] = false;
        }
        if (!told.inUse[slot] && netPeerAddress(slot, address)) {
            logJoin(server.log, now, slot, address);
            told.inUse[slot] = true;
        }
        const char* known = world.roster.name[slot];
        if (told.inUse[slot] && world.roster.known[slot] &&
            (!told.named[slot] || std::strcmp(known, told.name[slot]) != 0)) {
            logName(server.log, now, slot, known);
            std::snprintf(told.name[slot], sizeof told.name[slot], "%s", known);
            told.named[slot] = true;
        }
    }
}

// The step began with no lines shown, so every line is this step's.
void tellLines(const Server& server, const WorldState& world, std::time_t now) {
    char killer[PLAYER_NAME_BYTES + 1], victim[PLAYER_NAME_BYTES + 1];
    for (int n = 0; n < world.messages.killCount; ++n) {
        const KillLine& k = world.messages.kill[n];
        playerName(world, k.killer, killer);
        playerName(world, k.victim, victim);
        logKill(server.log, now, k.killer, killer, k.victim, victim);
    }
    for (int n = 0; n < world.messages.chatCount; ++n) {
        const ChatLine& c = world.messages.chat[n];
        playerName(world, c.slot, killer);
        logChat(server.log, now, c.slot, killer, c.text);
    }
}

// A match that has reached its intermission is told once, with its winner.
void tellMatchEnd(Server& server, const WorldState& world, std::time_t now) {
    const MatchState& match = world.match;
    if (match.phase != MatchPhase::INTERMISSION || match.number == server.matchEndTold) return;
    server.matchEndTold              = match.number;
    char name[PLAYER_NAME_BYTES + 1] = "";
    int kills                        = 0;
    if (isValidSlot(match.winner)) {
        playerName(world, match.winner, name);
        kills = match.kills[match.winner];
    }
    logMatchEnd(server.log, now, match.winner, kills, name);
}

void tellStep(Server& server, const WorldState& world, uint32_t gone) {
    if (!server.log) return;
    const std::time_t now = std::time(nullptr);
    tellSlots(server, world, gone, now);
    tellLines(server, world, now);
    tellMatchEnd(server, world, now);
}

int stopServer(Server& server) {
    stopBots();
    netShutdown();
    if (server.log) logStop(server.log, std::time(nullptr));
    return 0;
}
} // namespace

int runServer(const ServerOptions& options, FILE* log) {
    if (!platformCatchStopRequests()) {
        std::fprintf(stderr,
                     "voranis-server: cannot catch the requests to stop (%s): run it as an "
                     "ordinary process\n",
                     std::strerror(errno));
        return EXIT_SERVER_FAILED;
    }
    WorldState world;
    resetWorld(world);
    // The planets everyone steers round: rockets burst on them here as on every machine.
    enterDataFolder();
    // Its picture names are what an arena's textures are matched against.
    if (!loadUniverse(world, UNIVERSE_FILE, &world.planetTextures)) {
        std::fprintf(stderr,
                     "voranis-server: cannot read %s: %s: install the game's data beside the "
                     "program or in ../share/voranis\n",
                     UNIVERSE_FILE, std::strerror(errno));
        return EXIT_SERVER_FAILED;
    }
    resetPlayerTable(world.players);
    resetConnSlots();
    char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
    if (!netHostStart(options.port, GAME_VERSION, address, problem)) {
        std::fprintf(stderr, "voranis-server: %s\n", problem);
        netShutdown();
        return EXIT_SERVER_FAILED;
    }
    netHostAsServer(options.name);
    world.match.rules = MatchRules{options.scoreLimit, options.timeLimitMinutes};
    setHostArenas(options.rotateArenas ? ROTATE_ARENAS : options.arena);
    Server server{log, 0, {}, 0};
    if (log) logStart(log, std::time(nullptr), options.port, GAME_VERSION, options.name);
    startBots(options.bots, options.skill, options.port);
    const StepSetup setup{1, sendHeartbeat, &server};
    StepClock clock{};
    FrameReport report;
    while (!platformStopRequested()) {
        const StepsDue due = takeStepsDue(clock, platformMilliseconds());
        for (int k = 0; k < due.count && !platformStopRequested(); ++k) {
            world.messages          = Messages{};
            const uint32_t stepMs   = due.firstMs + static_cast<uint32_t>(k) * STEP_MS;
            const StepResult result = runStep(world, setup, stepMs, &report);
            tellStep(server, world, result.droppedSlots);
        }
        waitUntilStep(clock.nextStepMs);
    }
    return stopServer(server);
}
