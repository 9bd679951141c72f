// Replaying a demo through the step itself: every step runs runStep on a world, a network
// session without sockets and a step state of the replay's own, its exchange fed from the
// file (the records received and the host's slot events, in their order), its input and
// random generator as recorded; the records it sends are compared with those recorded.
// Seeking goes back to the nearest world kept on the way (one every ten seconds), or on from
// where the replay stands.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "demo/demo_file.h"
#include "net/net_session.h"
#include "step/step_state.h"
#include "world/step_report.h"
#include "world/world_state.h"

constexpr int32_t DEMO_KEYFRAME_EVERY = 10 * DEMO_DIGEST_EVERY; // steps: ten seconds

// Everything a replay changes, as a step leaves it; kept whole for seeking back.
struct DemoReplayState {
    WorldState world;
    NetSession net;
    StepState step;
};

struct DemoKeyframe {
    int32_t nextStep; // the step that runs next from here
    size_t nextOffset;
    std::unique_ptr<DemoReplayState> state;
};

struct DemoReplay {
    DemoFile file;
    std::unique_ptr<DemoReplayState> now; // the world after the last step run: draw now->world
    int32_t nextStep;                     // 0 before the first step
    size_t nextOffset;                    // its block
    DemoStep current;                     // the step running (or last run)
    int32_t sentDiffers;                  // the first step that sent other records, -1 for none
    int32_t slotsSeen;                    // one bit a slot that has held a player so far
    std::vector<DemoKeyframe> keyframes;  // the worlds kept on the way, by step
};

// Opens path for replay. pictures is a world whose planet pictures are loaded (the game's
// loadAssets, or startWithoutWindow): the replay's world keeps them, so that arenas find
// their textures by name. The arena the recording starts in is read from this machine's game
// folder and must be the recorded one. NONE, or the problem and what is wrong.
DemoProblem demoReplayOpen(DemoReplay& replay, const char* path, const WorldState& pictures,
                           char problem[DEMO_PROBLEM_SIZE]);
// The same for a file already read (demoReadFile): a program that enters its game folder
// reads the file first, where a path given relative to where it started still finds it.
DemoProblem demoReplayStart(DemoReplay& replay, DemoFile&& file, const WorldState& pictures,
                            char problem[DEMO_PROBLEM_SIZE]);

enum class DemoRun : uint8_t {
    RAN,     // the step ran; its report holds its sounds and events
    DIFFERS, // the step ran, but the world differs from the recorded one after it
    END,     // no whole step is left
    DAMAGED, // the step's block is damaged (problem says how)
};

// Runs the next step into replay.now->world and report; the world's kill lines follow the
// game's (the local ship's death shows too), its scoreboard and match as recorded.
DemoRun demoReplayNext(DemoReplay& replay, StepReport* report, char problem[DEMO_PROBLEM_SIZE]);
// Brings the replay to just before step (0 to stepCount): the nearest kept world at or
// before it, then the steps between. False, with problem, at a damaged block.
bool demoReplaySeek(DemoReplay& replay, int32_t step, char problem[DEMO_PROBLEM_SIZE]);

inline int32_t demoReplayStepCount(const DemoReplay& replay) {
    return replay.file.stepCount;
}
inline uint32_t demoReplayDurationMs(const DemoReplay& replay) {
    return static_cast<uint32_t>(replay.file.stepCount) * replay.file.header.stepMs;
}
// The kill steps for the time bar are replay.file.killSteps; the players' names
// replay.file.names (the last known of each slot), their slots replay.file.slotsSeen.
