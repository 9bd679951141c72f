// The check: the file read where it was named, the game folder entered, then every step.
#include "demo/demo_verify.h"

#include <memory>

#include "demo/demo_replay.h"
#include "step/windowless_start.h"

namespace {
int popCount(int32_t bits) {
    int n = 0;
    for (; bits; bits &= bits - 1)
        ++n;
    return n;
}
} // namespace

int verifyDemo(const char* path, FILE* out, FILE* err) {
    char problem[DEMO_PROBLEM_SIZE];
    DemoFile file;
    if (demoReadFile(file, path, problem) != DemoProblem::NONE) {
        std::fprintf(err, "%s: %s\n", path, problem);
        return DEMO_EXIT_REFUSED;
    }
    auto pictures = std::make_unique<WorldState>();
    char noData[START_PROBLEM_SIZE];
    if (!startWithoutWindow(*pictures, noData)) {
        std::fprintf(err, "%s: cannot be replayed here: %s: install the game's data\n", path,
                     noData);
        return DEMO_EXIT_REFUSED;
    }
    auto replay = std::make_unique<DemoReplay>();
    if (demoReplayStart(*replay, std::move(file), *pictures, problem) != DemoProblem::NONE) {
        std::fprintf(err, "%s: %s\n", path, problem);
        return DEMO_EXIT_REFUSED;
    }
    auto report = std::make_unique<StepReport>();
    for (;;) {
        const DemoRun run = demoReplayNext(*replay, report.get(), problem);
        if (run == DemoRun::END) break;
        if (run == DemoRun::DAMAGED) {
            std::fprintf(err, "%s: %s\n", path, problem);
            return DEMO_EXIT_REFUSED;
        }
        if (run == DemoRun::DIFFERS) {
            std::fprintf(out, "%s: step %d differs: its world is not the recorded one\n", path,
                         replay->current.number);
            return DEMO_EXIT_DIFFERS;
        }
    }
    if (replay->sentDiffers >= 0) {
        std::fprintf(out, "%s: step %d differs: it sent other records than were recorded\n", path,
                     replay->sentDiffers);
        return DEMO_EXIT_DIFFERS;
    }
    const char* arena = replay->file.header.arenaName;
    std::fprintf(out, "%s: %d steps, %d players, arena %s, verified\n", path,
                 replay->file.stepCount, popCount(replay->slotsSeen),
                 arena[0] ? arena : "universe");
    return DEMO_EXIT_VERIFIED;
}
