// The server's loop on the step clock, as the bot's: every step owed, then the network's wait,
// which a stop signal cuts short (the wait's poll ends at any signal).
#include "server/server_loop.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "demo/demo_recorder.h"
#include "net/net_host.h"
#include "net/net_session.h"
#include "platform/platform.h"
#include "server/event_log.h"
#include "step/arena_choice.h"
#include "step/bot_launcher.h"
#include "step/game_step.h"
#include "step/game_version.h"
#include "step/match_host.h"
#include "step/step_loop.h"
#include "step/windowless_start.h"

namespace {
// What the event lines have told of each slot so far.
struct Told {
    bool inUse[MAX_PLAYERS];
    bool named[MAX_PLAYERS];
    char name[MAX_PLAYERS][PLAYER_NAME_BYTES + 1];
};

struct Server {
    NetSession& net;
    StepState& state;
    FILE* log;
    DemoRecorder& recorder;
    uint32_t steps;
    Told told;
    int32_t matchEndTold; // the number of the last match whose end was logged
};

// The step's input: no ship to fly, only the heartbeat. Sent inside the step, so that a peer
// given up for its silence shows in the step's dropped slots.
void sendHeartbeat(WorldState&, void* context) {
    Server& server = *static_cast<Server*>(context);
    netSend(server.net, makeHeartbeatMessage(server.steps++));
}

void tellSlots(Server& server, const WorldState& world, uint32_t gone, std::time_t now) {
    const uint32_t left = netTakeLeftSlots(server.net);
    Told& told          = server.told;
    char name[PLAYER_NAME_BYTES + 1], address[NET_ADDRESS_TEXT_SIZE];
    for (int slot = FIRST_PEER_SLOT; slot < MAX_PLAYERS; ++slot) {
        const uint32_t bit = 1u << slot;
        if ((gone & bit) && told.inUse[slot]) {
            playerName(world, slot, name);
            (left & bit ? logLeave : logDrop)(server.log, now, slot, name);
            told.inUse[slot] = told.named[slot] = false;
        }
        if (!told.inUse[slot] && netPeerAddress(server.net, slot, address)) {
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

// Each step's lines are told once: the next step begins with none.
bool tellAndGoOn(WorldState& world, uint32_t stepMs, const StepResult& result, const StepReport&,
                 void* context) {
    Server& server = *static_cast<Server*>(context);
    demoRecordStep(server.recorder, world, server.net, server.state, result, stepMs);
    tellStep(server, world, result.droppedSlots);
    world.messages = Messages{};
    return !platformStopRequested();
}

int stopServer(Server& server) {
    demoRecordEnd(server.recorder);
    stopBots(server.state.bots);
    netShutdown(server.net);
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
    // Before the game folder becomes the working directory, where a relative path would move.
    char recordFolder[DEMO_PATH_BYTES] = "";
    if (options.recordFolder[0] != '\0')
        demoAbsoluteFolder(options.recordFolder, recordFolder, sizeof recordFolder);
    char noData[START_PROBLEM_SIZE];
    if (!startWithoutWindow(world, noData)) {
        std::fprintf(stderr,
                     "voranis-server: %s: install the game's data beside the program or in "
                     "../share/voranis\n",
                     noData);
        return EXIT_SERVER_FAILED;
    }
    // Static: the session holds every peer's held records, too much for the stack.
    static NetSession net;
    static StepState state;
    char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
    if (!netHostStart(net, options.port, GAME_VERSION, address, problem)) {
        std::fprintf(stderr, "voranis-server: %s\n", problem);
        netShutdown(net);
        return EXIT_SERVER_FAILED;
    }
    netHostAsServer(net, options.name);
    world.match.rules = MatchRules{options.scoreLimit, options.timeLimitMinutes};
    setHostArenas(state.host, options.rotateArenas ? ROTATE_ARENAS : options.arena);
    static DemoRecorder recorder;
    Server server{net, state, log, recorder, 0, {}, 0};
    if (log) logStart(log, std::time(nullptr), options.port, GAME_VERSION, options.name);
    startBots(state.bots, options.bots, options.skill, options.port);
    StepSetup setup{1, sendHeartbeat, &server};
    if (recordFolder[0] != '\0') {
        demoRecordBegin(recorder, "voranis-server", recordFolder, DemoRole::SERVER, world, state,
                        options.rotateArenas ? ROTATE_ARENAS : options.arena);
        demoRecordAttach(recorder, net, setup);
    }
    StepClock clock{};
    StepReport report;
    while (!platformStopRequested() && runStepsOwed(world, net, state, setup, clock, &report,
                                                    StepLoopHooks{tellAndGoOn, nullptr, &server})) {
    }
    return stopServer(server);
}
