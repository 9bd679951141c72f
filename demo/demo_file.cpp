// Reading a demo: the marks, the header, the start, then the index at the end or, in a file
// cut short, a scan of its whole step blocks. Every length is checked against what is left
// before anything it covers is read.
#include "demo/demo_file.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "demo/demo_format.h"
#include "net/crc32.h"
#include "step/game_version.h"
#include "world/step_clock.h"
#include "world/world_state.h"

namespace {
DemoProblem fail(DemoProblem problem, char text[DEMO_PROBLEM_SIZE], const char* format, ...)
    __attribute__((format(printf, 3, 4)));

DemoProblem fail(DemoProblem problem, char text[DEMO_PROBLEM_SIZE], const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, DEMO_PROBLEM_SIZE, format, arguments);
    va_end(arguments);
    return problem;
}

uint32_t littleU32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

bool getHeader(ByteIn& in, DemoHeader& h) {
    getText(in, h.gameVersion, DEMO_TEXT_BYTES);
    getText(in, h.arenaName, DEMO_TEXT_BYTES);
    h.arenaCrc = getU32(in);
    getText(in, h.arenaChoice, DEMO_TEXT_BYTES);
    getText(in, h.recorderName, PLAYER_NAME_BYTES);
    h.recorderSlot           = getI32(in);
    const uint32_t role      = getU8(in);
    h.stepMs                 = getU32(in);
    h.startedAt              = static_cast<int64_t>(getU64(in));
    h.rules.scoreLimit       = getI32(in);
    h.rules.timeLimitMinutes = getI32(in);
    h.role                   = static_cast<DemoRole>(role);
    return !in.ranShort && in.used == in.size && role <= static_cast<uint32_t>(DemoRole::SERVER) &&
           (h.recorderSlot == FREE_SLOT || isValidSlot(h.recorderSlot)) && matchRulesFit(h.rules);
}

enum class StepRead : uint8_t { WHOLE, CUT, DAMAGED };

StepRead readStep(const DemoFile& file, size_t offset, int32_t number, DemoStep* step, size_t* next,
                  char problem[DEMO_PROBLEM_SIZE]) {
    uint8_t kind = 0;
    ByteIn in{};
    const BlockRead block =
        readBlock(file.bytes.data(), file.bytes.size(), offset, &kind, &in, next);
    if (block == BlockRead::CUT) {
        fail(DemoProblem::DAMAGED_BLOCK, problem, "step %d's block runs past the end of the file",
             number);
        return StepRead::CUT;
    }
    const char* wrong = block == BlockRead::DAMAGED ? "its checksum is wrong"
                        : kind != BLOCK_STEP        ? "another kind of block stands there"
                                                    : nullptr;
    DemoStep& s       = *step;
    if (wrong == nullptr) {
        s.number                     = static_cast<int32_t>(getU32(in));
        s.stepMs                     = getU32(in);
        s.randomState                = getU32(in);
        s.droppedSlots               = getU8(in);
        const uint32_t flags         = getU8(in);
        const uint32_t bits          = getU8(in);
        s.input                      = StepInput{};
        s.input.controls.forward     = (bits & INPUT_FORWARD) != 0;
        s.input.controls.backward    = (bits & INPUT_BACKWARD) != 0;
        s.input.controls.strafeLeft  = (bits & INPUT_LEFT) != 0;
        s.input.controls.strafeRight = (bits & INPUT_RIGHT) != 0;
        s.input.controls.vertical    = (bits & INPUT_VERTICAL) != 0;
        s.input.controls.fire        = (bits & INPUT_FIRE) != 0;
        s.input.respawn              = (bits & INPUT_RESPAWN) != 0;
        s.input.turnYaw              = getF32(in);
        s.input.turnPitch            = getF32(in);
        s.digest                     = getU32(in);
        s.hasDigest                  = (flags & STEP_HAS_DIGEST) != 0;
        s.killed                     = (flags & STEP_KILLED) != 0;
        s.eventCount                 = static_cast<int>(getU16(in));
        s.events                     = skipBytes(in, s.eventCount * DEMO_EVENT_BYTES);
        s.sentCount                  = static_cast<int>(getU16(in));
        s.sent                       = skipBytes(in, s.sentCount * size_t{NET_RECORD_SIZE});
        wrong = in.ranShort || in.used != in.size ? "its length disagrees with its contents"
                : s.number != number              ? "it holds another step"
                                                  : nullptr;
        for (int n = 0; wrong == nullptr && n < s.eventCount; ++n) {
            const DemoEvent e = demoStepEvent(s, n);
            const int kind    = static_cast<int>(e.kind);
            if (kind < 1 || kind > DEMO_EVENT_KINDS) wrong = "an event of an unknown kind";
            if ((e.kind == DemoEventKind::WELCOMED || e.kind == DemoEventKind::JOINED) &&
                !isValidSlot(e.slot))
                wrong = "an event names a slot outside the table";
        }
    }
    if (wrong == nullptr) return StepRead::WHOLE;
    fail(DemoProblem::DAMAGED_BLOCK, problem, "step %d's block is damaged: %s", number, wrong);
    return StepRead::DAMAGED;
}

DemoProblem readIndex(DemoFile& file, char problem[DEMO_PROBLEM_SIZE]) {
    const size_t size        = file.bytes.size();
    const size_t indexOffset = littleU32(&file.bytes[size - DEMO_TRAILER_BYTES]);
    uint8_t kind             = 0;
    ByteIn in{};
    size_t next = 0;
    if (indexOffset < file.firstStepOffset || indexOffset >= size - DEMO_TRAILER_BYTES ||
        readBlock(file.bytes.data(), size, indexOffset, &kind, &in, &next) != BlockRead::WHOLE ||
        kind != BLOCK_INDEX || next != size - DEMO_TRAILER_BYTES)
        return fail(DemoProblem::DAMAGED_INDEX, problem,
                    "its index is damaged (its place or checksum is wrong)");
    file.stepCount         = static_cast<int32_t>(getU32(in));
    const uint32_t seconds = getU32(in);
    const uint32_t expected =
        (static_cast<uint32_t>(file.stepCount) + DEMO_DIGEST_EVERY - 1) / DEMO_DIGEST_EVERY;
    // Each count is checked against the bytes left before anything is kept.
    if (file.stepCount < 0 || seconds != expected || seconds > (in.size - in.used) / 4)
        return fail(DemoProblem::DAMAGED_INDEX, problem, "its index is damaged (step count)");
    for (uint32_t k = 0; k < seconds; ++k) {
        const uint32_t offset = getU32(in);
        if (offset < file.firstStepOffset || offset >= indexOffset)
            return fail(DemoProblem::DAMAGED_INDEX, problem,
                        "its index is damaged (a step's place)");
        file.secondOffsets.push_back(offset);
    }
    const uint32_t kills = getU32(in);
    if (kills > static_cast<uint32_t>(file.stepCount) || kills > (in.size - in.used) / 4)
        return fail(DemoProblem::DAMAGED_INDEX, problem, "its index is damaged (kill count)");
    for (uint32_t k = 0; k < kills; ++k) {
        const int32_t step = getI32(in);
        if (step < 0 || step >= file.stepCount)
            return fail(DemoProblem::DAMAGED_INDEX, problem, "its index is damaged (a kill)");
        file.killSteps.push_back(step);
    }
    file.slotsSeen = static_cast<uint8_t>(getU8(in));
    for (auto& name : file.names)
        getText(in, name, PLAYER_NAME_BYTES);
    if (in.ranShort || in.used != in.size)
        return fail(DemoProblem::DAMAGED_INDEX, problem, "its index is damaged (its length)");
    file.indexed = true;
    return DemoProblem::NONE;
}

// A file without its index: its whole steps, up to the first cut one.
DemoProblem scanSteps(DemoFile& file, char problem[DEMO_PROBLEM_SIZE]) {
    size_t offset = file.firstStepOffset;
    DemoStep step;
    for (int32_t n = 0;; ++n) {
        if (offset >= file.bytes.size()) return DemoProblem::NONE;
        uint8_t kind = 0;
        ByteIn in{};
        size_t next = 0;
        if (readBlock(file.bytes.data(), file.bytes.size(), offset, &kind, &in, &next) ==
                BlockRead::WHOLE &&
            kind == BLOCK_INDEX)
            return DemoProblem::NONE; // the index's trailer is what was cut
        const StepRead read = readStep(file, offset, n, &step, &next, problem);
        if (read == StepRead::CUT) return DemoProblem::NONE;
        if (read == StepRead::DAMAGED) return DemoProblem::DAMAGED_BLOCK;
        if (n % DEMO_DIGEST_EVERY == 0) file.secondOffsets.push_back(static_cast<uint32_t>(offset));
        if (step.killed) file.killSteps.push_back(n);
        file.stepCount = n + 1;
        offset         = next;
    }
}
} // namespace

void putBlock(ByteOut& out, uint8_t kind, const uint8_t* payload, size_t length) {
    putU32(out, static_cast<uint32_t>(length));
    putU8(out, kind);
    putBytes(out, payload, length);
    const uint32_t crc = crc32(crc32(0, &kind, 1), payload, length);
    putU32(out, crc);
}

BlockRead readBlock(const uint8_t* data, size_t size, size_t offset, uint8_t* kind, ByteIn* payload,
                    size_t* next) {
    if (offset > size || size - offset < BLOCK_FRAME_BYTES) return BlockRead::CUT;
    const size_t length = littleU32(data + offset);
    if (length > size - offset - BLOCK_FRAME_BYTES) return BlockRead::CUT;
    const uint8_t* body = data + offset + 5;
    *kind               = data[offset + 4];
    *payload            = ByteIn{body, length, 0, false};
    *next               = offset + BLOCK_FRAME_BYTES + length;
    const uint32_t crc  = crc32(crc32(0, kind, 1), body, length);
    return crc == littleU32(body + length) ? BlockRead::WHOLE : BlockRead::DAMAGED;
}

void putDemoHeader(ByteOut& out, const DemoHeader& h) {
    putText(out, h.gameVersion, DEMO_TEXT_BYTES);
    putText(out, h.arenaName, DEMO_TEXT_BYTES);
    putU32(out, h.arenaCrc);
    putText(out, h.arenaChoice, DEMO_TEXT_BYTES);
    putText(out, h.recorderName, PLAYER_NAME_BYTES);
    putI32(out, h.recorderSlot);
    putU8(out, static_cast<uint32_t>(h.role));
    putU32(out, h.stepMs);
    putU64(out, static_cast<uint64_t>(h.startedAt));
    putI32(out, h.rules.scoreLimit);
    putI32(out, h.rules.timeLimitMinutes);
}

const char* demoGameVersion() {
    return GAME_VERSION;
}

DemoEvent demoStepEvent(const DemoStep& step, int n) {
    const uint8_t* at = step.events + static_cast<size_t>(n) * DEMO_EVENT_BYTES;
    DemoEvent e{};
    e.kind   = static_cast<DemoEventKind>(at[0]);
    e.slot   = at[1];
    e.record = decodeNetMessage(at + 2);
    return e;
}

NetMessage demoStepSent(const DemoStep& step, int n) {
    return decodeNetMessage(step.sent + static_cast<size_t>(n) * NET_RECORD_SIZE);
}

namespace {
DemoProblem parseFile(DemoFile& file, char problem[DEMO_PROBLEM_SIZE]) {
    const uint8_t* data = file.bytes.data();
    const size_t size   = file.bytes.size();
    if (size < DEMO_PREFIX_BYTES || std::memcmp(data, DEMO_MAGIC, sizeof DEMO_MAGIC) != 0)
        return fail(DemoProblem::NOT_A_DEMO, problem,
                    "is not a demo of this game: it does not begin with a demo's mark");
    file.header.formatVersion = littleU32(data + sizeof DEMO_MAGIC);
    if (file.header.formatVersion != DEMO_FORMAT_VERSION)
        return fail(DemoProblem::FORMAT_VERSION, problem,
                    "is a demo of format %u; this game reads format %u: play it with the game "
                    "that recorded it",
                    file.header.formatVersion, DEMO_FORMAT_VERSION);
    uint8_t kind = 0;
    ByteIn in{};
    size_t next = 0;
    if (readBlock(data, size, DEMO_PREFIX_BYTES, &kind, &in, &next) != BlockRead::WHOLE ||
        kind != BLOCK_HEADER || !getHeader(in, file.header))
        return fail(DemoProblem::DAMAGED_HEADER, problem,
                    "its header is damaged (its checksum or a field is wrong)");
    if (std::strcmp(file.header.gameVersion, GAME_VERSION) != 0)
        return fail(DemoProblem::GAME_VERSION, problem,
                    "was recorded by Voranis %s; this is %s, whose replay would differ: play it "
                    "with version %s",
                    file.header.gameVersion, GAME_VERSION, file.header.gameVersion);
    if (file.header.stepMs != STEP_MS)
        return fail(DemoProblem::DAMAGED_HEADER, problem,
                    "its header is damaged (a step of %u ms; the game's is %u ms)",
                    file.header.stepMs, STEP_MS);
    file.startOffset = next;
    if (readBlock(data, size, file.startOffset, &kind, &in, &next) != BlockRead::WHOLE ||
        kind != BLOCK_START)
        return fail(DemoProblem::DAMAGED_START, problem,
                    "the world it begins with is damaged (its checksum is wrong)");
    file.firstStepOffset  = next;
    const bool hasTrailer = size >= file.firstStepOffset + DEMO_TRAILER_BYTES &&
                            std::memcmp(data + size - sizeof DEMO_INDEX_MAGIC, DEMO_INDEX_MAGIC,
                                        sizeof DEMO_INDEX_MAGIC) == 0;
    return hasTrailer ? readIndex(file, problem) : scanSteps(file, problem);
}
} // namespace

DemoProblem demoReadBytes(DemoFile& file, const uint8_t* data, size_t size,
                          char problem[DEMO_PROBLEM_SIZE]) {
    file = DemoFile{};
    file.bytes.assign(data, data + size);
    return parseFile(file, problem);
}

DemoProblem demoReadFile(DemoFile& file, const char* path, char problem[DEMO_PROBLEM_SIZE]) {
    file         = DemoFile{};
    FILE* opened = std::fopen(path, "rb");
    if (opened == nullptr)
        return fail(DemoProblem::UNREADABLE, problem, "cannot be opened: %s", std::strerror(errno));
    std::vector<uint8_t>& bytes = file.bytes;
    uint8_t piece[1 << 16];
    size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, opened)) > 0) {
        if (bytes.size() + got > DEMO_MOST_FILE_BYTES) {
            std::fclose(opened);
            return fail(DemoProblem::UNREADABLE, problem,
                        "is larger than any demo (more than %u MB)",
                        static_cast<unsigned>(DEMO_MOST_FILE_BYTES >> 20));
        }
        bytes.insert(bytes.end(), piece, piece + got);
    }
    const bool failed = std::ferror(opened) != 0;
    std::fclose(opened);
    if (failed) return fail(DemoProblem::UNREADABLE, problem, "cannot be read");
    return parseFile(file, problem);
}

bool demoStepAt(const DemoFile& file, size_t offset, int32_t number, DemoStep* step, size_t* next,
                char problem[DEMO_PROBLEM_SIZE]) {
    return readStep(file, offset, number, step, next, problem) == StepRead::WHOLE;
}

bool demoStartWorld(const DemoFile& file, WorldState& world, StepState* state,
                    char problem[DEMO_PROBLEM_SIZE]) {
    uint8_t kind = 0;
    ByteIn in{};
    size_t next = 0;
    if (readBlock(file.bytes.data(), file.bytes.size(), file.startOffset, &kind, &in, &next) !=
            BlockRead::WHOLE ||
        kind != BLOCK_START) {
        fail(DemoProblem::DAMAGED_START, problem, "the world it begins with is damaged");
        return false;
    }
    return getDemoWorld(in, world, problem, DEMO_PROBLEM_SIZE) &&
           (state == nullptr || getDemoStepState(in, *state, problem, DEMO_PROBLEM_SIZE));
}
