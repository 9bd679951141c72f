// The replay: runStep with the file in place of the sockets, the input and the random
// generator, its sent records compared with the recorded ones; worlds kept for seeking back.
#include "demo/demo_replay.h"

#include <cstdio>
#include <cstring>

#include "demo/demo_arena.h"
#include "net/net_host.h"
#include "net/net_join.h"
#include "net/record_rules.h"
#include "step/arena_choice.h"
#include "step/game_step.h"
#include "world/random.h"

namespace {
struct Running {
    DemoReplay& replay;
    int sent; // records the step has sent so far
};

bool isJoiner(const DemoReplay& replay) {
    return replay.file.header.role == DemoRole::JOINER;
}

// The exchange as recorded: the host's slot events and every record it applied, in order,
// through the same calls the live exchange makes.
NetEnding exchangeFromFile(WorldState& world, NetSession& net, uint32_t nowMs, void* context) {
    const Running& running = *static_cast<Running*>(context);
    const DemoStep& step   = running.replay.current;
    const bool joiner      = isJoiner(running.replay);
    for (int n = 0; n < step.eventCount; ++n) {
        const DemoEvent e = demoStepEvent(step, n);
        switch (e.kind) {
        case DemoEventKind::FREED:
            net.host.droppedSlots = e.slot;
            hostFreeDroppedSlots(net, world);
            break;
        case DemoEventKind::WELCOMED:
            hostTakeSlot(net, world, e.slot);
            break;
        case DemoEventKind::RECEIVED:
            if (joiner)
                applyNetMessage(world, net.assembly, e.record, nowMs);
            else
                hostApplyRecord(net, world, e.record, nowMs);
            break;
        case DemoEventKind::JOINED:
            joinWelcomed(net, world, e.slot, nowMs);
            break;
        case DemoEventKind::QUEUED:
            break; // the input's, below
        }
    }
    if (joiner) {
        joinEndHostWorldWait(net, world, nowMs);
        net.join.globalTimeout = GLOBAL_TIMEOUT_REFILL; // no silence in a file
    }
    net.host.droppedSlots = step.droppedSlots; // what the step's end gives up
    return NetEnding{};
}

void inputFromFile(WorldState& world, void* context) {
    Running& running     = *static_cast<Running*>(context);
    const DemoStep& step = running.replay.current;
    world.input          = step.input;
    for (int n = 0; n < step.eventCount; ++n) {
        const DemoEvent e = demoStepEvent(step, n);
        if (e.kind == DemoEventKind::QUEUED)
            queueChatParts(running.replay.now->step.chat, &e.record, 1);
    }
}

void compareSent(const NetMessage& record, void* context) {
    Running& running     = *static_cast<Running*>(context);
    DemoReplay& replay   = running.replay;
    const DemoStep& step = replay.current;
    const int n          = running.sent++;
    const bool same      = n < step.sentCount &&
                      std::memcmp(demoStepSent(step, n).word, record.word, sizeof record.word) == 0;
    if (!same && replay.sentDiffers < 0) replay.sentDiffers = step.number;
}

void keepKeyframe(DemoReplay& replay) {
    if (replay.nextStep % DEMO_KEYFRAME_EVERY != 0) return;
    if (!replay.keyframes.empty() && replay.keyframes.back().nextStep >= replay.nextStep) return;
    replay.keyframes.push_back(DemoKeyframe{replay.nextStep, replay.nextOffset,
                                            std::make_unique<DemoReplayState>(*replay.now)});
}
} // namespace

DemoProblem demoReplayStart(DemoReplay& replay, DemoFile&& file, const WorldState& pictures,
                            char problem[DEMO_PROBLEM_SIZE]) {
    replay.file         = std::move(file);
    replay.now          = std::make_unique<DemoReplayState>();
    DemoReplayState& s  = *replay.now;
    const DemoHeader& h = replay.file.header;
    resetWorld(s.world);
    s.world.planetTextures    = pictures.planetTextures;
    s.world.planetTextureBase = pictures.planetTextureBase;
    s.step                    = StepState{};
    if (!demoStartWorld(replay.file, s.world, &s.step, problem)) return DemoProblem::DAMAGED_START;
    s.net              = NetSession{};
    s.net.role         = h.role == DemoRole::JOINER ? NetRole::JOINER : NetRole::HOST;
    s.net.host.hasShip = h.role != DemoRole::SERVER;
    if (h.role == DemoRole::JOINER) s.net.join.stage = JoinStage::PLAYING;
    if (h.role != DemoRole::JOINER) {
        setHostArenas(s.step.host, h.arenaChoice);
        if (h.arenaName[0] != '\0' && demoArenaCrc(h.arenaName) != h.arenaCrc) {
            std::snprintf(problem, DEMO_PROBLEM_SIZE,
                          "was played in arena %s, which this game's arenas/%s.uni is not (or "
                          "is missing): replay it where that arena was played",
                          h.arenaName, h.arenaName);
            return DemoProblem::ARENA_DIFFERS;
        }
    }
    replay.nextStep    = 0;
    replay.nextOffset  = replay.file.firstStepOffset;
    replay.current     = DemoStep{};
    replay.sentDiffers = -1;
    replay.slotsSeen   = 0;
    replay.keyframes.clear();
    keepKeyframe(replay);
    return DemoProblem::NONE;
}

DemoProblem demoReplayOpen(DemoReplay& replay, const char* path, const WorldState& pictures,
                           char problem[DEMO_PROBLEM_SIZE]) {
    DemoFile file;
    const DemoProblem read = demoReadFile(file, path, problem);
    if (read != DemoProblem::NONE) return read;
    return demoReplayStart(replay, std::move(file), pictures, problem);
}

DemoRun demoReplayNext(DemoReplay& replay, StepReport* report, char problem[DEMO_PROBLEM_SIZE]) {
    report->count = 0;
    if (replay.nextStep >= replay.file.stepCount) return DemoRun::END;
    size_t next = 0;
    if (!demoStepAt(replay.file, replay.nextOffset, replay.nextStep, &replay.current, &next,
                    problem))
        return DemoRun::DAMAGED;
    DemoReplayState& s = *replay.now;
    Running running{replay, 0};
    StepSetup setup{!isJoiner(replay), inputFromFile, &running};
    setup.send     = compareSent;
    setup.exchange = exchangeFromFile;
    gameSrand(replay.current.randomState);
    runStep(s.world, s.net, s.step, setup, replay.current.stepMs, report);
    if (running.sent != replay.current.sentCount && replay.sentDiffers < 0)
        replay.sentDiffers = replay.current.number;
    // The game's own line for its ship's death, as its frame adds it.
    for (int n = 0; n < report->count; ++n) {
        const StepEvent& e = report->event[n];
        if (e.kind == StepEventKind::LOCAL_DEATH)
            addKillLine(s.world.messages, replay.current.stepMs, e.slot, s.world.localPlayer);
    }
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        if (s.world.players[i].slot >= 0) replay.slotsSeen |= 1 << i;
    }
    replay.nextStep += 1;
    replay.nextOffset = next;
    keepKeyframe(replay);
    const bool differs =
        replay.current.hasDigest && demoWorldDigest(s.world) != replay.current.digest;
    return differs ? DemoRun::DIFFERS : DemoRun::RAN;
}

bool demoReplaySeek(DemoReplay& replay, int32_t step, char problem[DEMO_PROBLEM_SIZE]) {
    if (step < 0) step = 0;
    if (step > replay.file.stepCount) step = replay.file.stepCount;
    const DemoKeyframe* from = nullptr;
    for (const DemoKeyframe& k : replay.keyframes) {
        if (k.nextStep <= step) from = &k;
    }
    // A kept world nearer than where the replay stands, or the only way back.
    if (from && (step < replay.nextStep || from->nextStep > replay.nextStep)) {
        *replay.now       = *from->state;
        replay.nextStep   = from->nextStep;
        replay.nextOffset = from->nextOffset;
    }
    StepReport report;
    while (replay.nextStep < step) {
        if (demoReplayNext(replay, &report, problem) == DemoRun::DAMAGED) return false;
    }
    return true;
}
