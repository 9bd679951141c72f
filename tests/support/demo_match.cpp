// The host's own ship on the step's input, the peers' records through the exchange hook.
#include "tests/support/demo_match.h"

#include <memory>

#include "demo/demo_recorder.h"
#include "net/net_host.h"
#include "net/record_words.h"
#include "world/contact.h"
#include "world/world_state.h"

namespace {
constexpr int PEERS             = MAX_PLAYERS - 1;
constexpr const char* CHAT_LINE = "a line long enough to travel in three parts of the chat, or so";

struct Match {
    DemoRecorder recorder;
    WorldState world;
    NetSession net;
    StepState state;
    uint32_t step;
};

NetEnding peersPlay(WorldState& world, NetSession& net, uint32_t nowMs, void* context) {
    const Match& m = *static_cast<Match*>(context);
    for (int32_t slot = 1; slot <= PEERS; ++slot) {
        if (m.step == 0) hostTakeSlot(net, world, slot);
        const float x = static_cast<float>((m.step + 40 * static_cast<uint32_t>(slot)) % 200) - 100;
        NetMessage s{};
        s.word[W_TYPE]    = intBits(MSG_STATE);
        s.word[W_SLOT]    = intBits(slot);
        s.word[W_KILLER]  = intBits(NO_KILLER);
        s.word[W_HEALTH]  = intBits(FULL_HEALTH);
        s.word[W_POS]     = floatBits(x * 0.1f);
        s.word[W_POS + 1] = floatBits(static_cast<float>(slot));
        s.word[W_POS + 2] = floatBits(-x * 0.05f);
        hostApplyRecord(net, world, s, nowMs);
        if ((m.step + static_cast<uint32_t>(slot)) % 30 != 0) continue;
        const float pos[3] = {x * 0.1f, static_cast<float>(slot), 0.0f};
        const float vel[3] = {-0.05f, -0.02f, 0.03f};
        hostApplyRecord(net, world, makeRocketMessage(slot, m.step / 30 % 20, 300, pos, vel),
                        nowMs);
    }
    return NetEnding{};
}

void hostFlies(WorldState& world, void* context) {
    const Match& m        = *static_cast<Match*>(context);
    ControlState& keys    = world.input.controls;
    keys.forward          = m.step % 90 < 60;
    keys.strafeLeft       = m.step % 70 < 20;
    keys.vertical         = m.step % 110 < 15;
    keys.fire             = m.step % 5 == 0;
    world.input.turnYaw   = 1.7f + static_cast<float>(m.step % 13) * 0.37f;
    world.input.turnPitch = m.step % 200 < 100 ? 0.61f : -0.59f;
    world.input.respawn   = true;
}
} // namespace

std::string recordTurningMatch(const std::string& folder, int steps, int timeLimitMinutes) {
    auto m = std::make_unique<Match>();
    resetWorld(m->world);
    resetPlayerTable(m->world.players);
    m->world.planetCount       = 2;
    m->world.planets.pos[1][0] = 40.0f;
    m->world.planets.radius[0] = m->world.planets.radius[1] = 5.0f;
    m->world.planets.pos[0][2]                              = -30.0f;
    m->world.match.rules                                    = MatchRules{0, timeLimitMinutes};
    m->net.role                                             = NetRole::HOST;
    spawnLocalPlayer(m->world, 0);
    demoRecordBegin(m->recorder, "test", folder.c_str(), DemoRole::HOST, m->world, m->state, "");
    StepSetup setup{1, hostFlies, m.get()};
    setup.exchange = peersPlay;
    setup.send     = [](const NetMessage&, void*) {};
    demoRecordAttach(m->recorder, m->net, setup);
    auto report = std::make_unique<StepReport>();
    for (; m->step < static_cast<uint32_t>(steps); ++m->step) {
        if (m->step % 300 == 299) { // a line typed between steps, sent in parts by the next
            NetMessage parts[CHAT_PARTS_MAX];
            const int count = makeChatMessages(0, static_cast<uint16_t>(m->step), CHAT_LINE, parts);
            queueChatParts(m->state.chat, parts, count);
        }
        const uint32_t nowMs    = 5000 + m->step * 15;
        const StepResult result = runStep(m->world, m->net, m->state, setup, nowMs, report.get());
        demoRecordStep(m->recorder, m->world, m->net, m->state, result, nowMs);
    }
    const std::string path = m->recorder.path;
    demoRecordEnd(m->recorder);
    return path;
}
