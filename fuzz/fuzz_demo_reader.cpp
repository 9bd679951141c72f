// Fuzzes the demo reader: any bytes, as they come and with every block's checksum made right
// (so the fields behind the checksums are reached), are refused or read within what they hold:
// every step, event and record, the world and the step state the file begins with.
#include <cstdlib>
#include <vector>

#include "demo/demo_file.h"
#include "demo/demo_format.h"
#include "net/crc32.h"
#include "step/step_state.h"
#include "world/world_state.h"

namespace {
void readAll(const uint8_t* data, size_t size) {
    static DemoFile file;
    static WorldState world;
    static StepState state;
    char problem[DEMO_PROBLEM_SIZE];
    if (demoReadBytes(file, data, size, problem) != DemoProblem::NONE) return;
    if (file.stepCount < 0 || file.killSteps.size() > static_cast<size_t>(file.stepCount))
        std::abort();
    demoStartWorld(file, world, &state, problem);
    size_t offset = file.firstStepOffset;
    DemoStep step;
    for (int32_t n = 0; n < file.stepCount; ++n) {
        if (!demoStepAt(file, offset, n, &step, &offset, problem)) break;
        for (int e = 0; e < step.eventCount; ++e)
            demoStepEvent(step, e);
        for (int s = 0; s < step.sentCount; ++s)
            demoStepSent(step, s);
    }
    for (size_t k = 0; k < file.secondOffsets.size(); ++k)
        demoStepAt(file, file.secondOffsets[k], static_cast<int32_t>(k) * DEMO_DIGEST_EVERY, &step,
                   &offset, problem);
}

// Every block from the header on sealed with the checksum its bytes call for.
void reseal(std::vector<uint8_t>& b) {
    for (size_t at = DEMO_PREFIX_BYTES; at + BLOCK_FRAME_BYTES <= b.size();) {
        const size_t length = b[at] | b[at + 1] << 8 | b[at + 2] << 16 | size_t{b[at + 3]} << 24;
        if (length > b.size() - at - BLOCK_FRAME_BYTES) return;
        const uint32_t crc = crc32(0, &b[at + 4], length + 1);
        for (int n = 0; n < 4; ++n)
            b[at + 5 + length + n] = static_cast<uint8_t>(crc >> (8 * n));
        at += BLOCK_FRAME_BYTES + length;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    readAll(data, size);
    std::vector<uint8_t> sealed(data, data + size);
    reseal(sealed);
    readAll(sealed.data(), sealed.size());
    return 0;
}
