// The recorder: taps on the exchange and the step fill the step's rows, the step's end makes
// them a block, blocks gather in memory and are written in large pieces.
#include "demo/demo_recorder.h"

#include <cerrno>
#include <cstring>

#include "demo/demo_arena.h"
#include "demo/demo_format.h"
#include "step/game_version.h"
#include "world/random.h"
#include "world/step_clock.h"
#include "world/world_state.h"

namespace {
constexpr size_t PENDING_MOST_BYTES = 4 * DEMO_WRITE_BYTES; // steps held before the file opens

void stop(DemoRecorder& rec, const char* why) {
    std::fprintf(stderr, "%s: demo recording stopped: %s; the game goes on\n", rec.program, why);
    if (rec.file) std::fclose(rec.file);
    rec.file = nullptr;
    rec.on   = false;
}

bool writeOut(DemoRecorder& rec, const std::vector<uint8_t>& bytes) {
    if (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), rec.file) == bytes.size())
        return true;
    char why[DEMO_PATH_BYTES + 128];
    std::snprintf(why, sizeof why, "cannot write %s (%s)", rec.path, std::strerror(errno));
    stop(rec, why);
    return false;
}

int32_t matchOf(const WorldState& world, DemoRole role) {
    return role == DemoRole::JOINER ? world.matchView.number : world.match.number;
}

void appendBlock(std::vector<uint8_t>& to, uint8_t kind, const uint8_t* payload, size_t length) {
    const size_t at = to.size();
    to.resize(at + BLOCK_FRAME_BYTES + length);
    ByteOut out{to.data() + at, BLOCK_FRAME_BYTES + length, 0, false};
    putBlock(out, kind, payload, length);
}

void putMarks(std::vector<uint8_t>& to) {
    uint8_t marks[DEMO_PREFIX_BYTES];
    ByteOut out{marks, sizeof marks, 0, false};
    putBytes(out, DEMO_MAGIC, sizeof DEMO_MAGIC);
    putU32(out, DEMO_FORMAT_VERSION);
    to.assign(marks, marks + sizeof marks);
}

std::vector<uint8_t> headerBlock(const DemoHeader& header) {
    uint8_t payload[256];
    ByteOut out{payload, sizeof payload, 0, false};
    putDemoHeader(out, header);
    std::vector<uint8_t> block;
    appendBlock(block, BLOCK_HEADER, payload, out.used);
    return block;
}

void openFile(DemoRecorder& rec, const WorldState& world, const NetSession& net) {
    DemoHeader& h = rec.header;
    if (h.role == DemoRole::JOINER) {
        const ArenaAssembly& a = net.assembly.arena;
        std::snprintf(h.arenaName, sizeof h.arenaName, "%s", a.arena.name);
        h.arenaCrc = a.announcedCrc;
    } else {
        std::snprintf(h.arenaName, sizeof h.arenaName, "%s", net.host.arena);
        h.arenaCrc = demoArenaCrc(h.arenaName);
    }
    h.recorderSlot = isValidSlot(world.localPlayer) ? world.localPlayer : FREE_SLOT;
    demoFilePath(rec.folder, rec.startedAt, h.arenaName, rec.path);
    pruneDemoFolder(rec.folder, DemoFolderLimits{rec.limits.files - 1, rec.limits.bytes}, nullptr);
    rec.file = std::fopen(rec.path, "wb");
    if (rec.file == nullptr) {
        char why[DEMO_PATH_BYTES + 128];
        std::snprintf(why, sizeof why, "cannot create %s (%s)", rec.path, std::strerror(errno));
        stop(rec, why);
        return;
    }
    std::setvbuf(rec.file, nullptr, _IONBF, 0); // the pieces are large already
    rec.opened                        = true;
    const std::vector<uint8_t> header = headerBlock(h);
    rec.prefix.insert(rec.prefix.begin() + DEMO_PREFIX_BYTES, header.begin(), header.end());
    if (writeOut(rec, rec.prefix)) rec.prefix.clear();
}

void tellEvent(ExchangeEvent event, int32_t slot, uint32_t mask, const NetMessage* record,
               void* context) {
    DemoRecorder& rec = *static_cast<DemoRecorder*>(context);
    if (rec.eventCount >= DEMO_STEP_MOST_EVENTS) {
        rec.overflow = true;
        return;
    }
    static constexpr DemoEventKind KINDS[] = {DemoEventKind::FREED, DemoEventKind::WELCOMED,
                                              DemoEventKind::RECEIVED, DemoEventKind::JOINED};
    uint8_t* row = rec.events.data() + static_cast<size_t>(rec.eventCount++) * DEMO_EVENT_BYTES;
    row[0]       = static_cast<uint8_t>(KINDS[static_cast<int>(event)]);
    row[1]       = static_cast<uint8_t>(event == ExchangeEvent::FREED ? mask : slot);
    if (record)
        encodeNetMessage(*record, row + 2);
    else
        std::memset(row + 2, 0, NET_RECORD_SIZE);
}

void tellInput(const WorldState& world, void* context) {
    DemoRecorder& rec = *static_cast<DemoRecorder*>(context);
    rec.input         = world.input;
    // The chat parts typed since the step before: they are what the step's chat sends.
    for (int n = rec.chatCount; rec.chat && n < rec.chat->count; ++n) {
        if (rec.eventCount >= DEMO_STEP_MOST_EVENTS) {
            rec.overflow = true;
            return;
        }
        uint8_t* row = rec.events.data() + static_cast<size_t>(rec.eventCount++) * DEMO_EVENT_BYTES;
        row[0]       = static_cast<uint8_t>(DemoEventKind::QUEUED);
        row[1]       = 0;
        encodeNetMessage(rec.chat->part[n], row + 2);
    }
}

void tellSent(const NetMessage& record, void* context) {
    DemoRecorder& rec = *static_cast<DemoRecorder*>(context);
    if (rec.sentCount >= DEMO_STEP_MOST_SENT) {
        rec.overflow = true;
        return;
    }
    encodeNetMessage(record,
                     rec.sent.data() + static_cast<size_t>(rec.sentCount++) * NET_RECORD_SIZE);
}

uint32_t inputBits(const StepInput& input) {
    const ControlState& c = input.controls;
    return (c.forward ? INPUT_FORWARD : 0) | (c.backward ? INPUT_BACKWARD : 0) |
           (c.strafeLeft ? INPUT_LEFT : 0) | (c.strafeRight ? INPUT_RIGHT : 0) |
           (c.vertical ? INPUT_VERTICAL : 0) | (c.fire ? INPUT_FIRE : 0) |
           (input.respawn ? INPUT_RESPAWN : 0);
}

bool killShown(const WorldState& world, uint32_t stepMs) {
    for (int n = 0; n < world.messages.killCount && n < KILL_LINES; ++n) {
        if (world.messages.kill[n].shownAt == stepMs) return true;
    }
    return false;
}

void noteNames(DemoRecorder& rec, const WorldState& world) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        if (world.players[i].slot < 0) continue;
        rec.slotsSeen |= static_cast<uint8_t>(1u << i);
        const char* name = i == world.localPlayer  ? world.roster.localName
                           : world.roster.known[i] ? world.roster.name[i]
                                                   : nullptr;
        if (name && name[0]) std::snprintf(rec.names[i], sizeof rec.names[i], "%s", name);
    }
}

void addStepBlock(DemoRecorder& rec, const WorldState& world, const StepResult& result,
                  uint32_t stepMs, bool lastOfFile) {
    const bool digest = (rec.steps + 1) % DEMO_DIGEST_EVERY == 0 || lastOfFile;
    const bool killed = killShown(world, stepMs);
    ByteOut out{rec.block.data(), rec.block.size(), 0, false};
    putU32(out, static_cast<uint32_t>(rec.steps));
    putU32(out, stepMs);
    putU32(out, rec.randomState);
    putU8(out, result.droppedSlots & 0xFFu);
    putU8(out, (digest ? STEP_HAS_DIGEST : 0) | (killed ? STEP_KILLED : 0));
    putU8(out, inputBits(rec.input));
    putF32(out, rec.input.turnYaw);
    putF32(out, rec.input.turnPitch);
    putU32(out, digest ? demoWorldDigest(world) : 0);
    putU16(out, static_cast<uint32_t>(rec.eventCount));
    putBytes(out, rec.events.data(), static_cast<size_t>(rec.eventCount) * DEMO_EVENT_BYTES);
    putU16(out, static_cast<uint32_t>(rec.sentCount));
    putBytes(out, rec.sent.data(), static_cast<size_t>(rec.sentCount) * NET_RECORD_SIZE);
    if (rec.steps % DEMO_DIGEST_EVERY == 0)
        rec.secondOffsets.push_back(static_cast<uint32_t>(rec.fileBytes));
    if (killed) rec.killSteps.push_back(rec.steps);
    const size_t before = rec.buffer.size();
    appendBlock(rec.buffer, BLOCK_STEP, rec.block.data(), out.used);
    rec.fileBytes += rec.buffer.size() - before;
    rec.steps += 1;
    noteNames(rec, world);
}

std::vector<uint8_t> indexBlock(const DemoRecorder& rec) {
    std::vector<uint8_t> payload(16 + 4 * (rec.secondOffsets.size() + rec.killSteps.size()) + 1 +
                                 MAX_PLAYERS * PLAYER_NAME_BYTES);
    ByteOut out{payload.data(), payload.size(), 0, false};
    putU32(out, static_cast<uint32_t>(rec.steps));
    putU32(out, static_cast<uint32_t>(rec.secondOffsets.size()));
    for (uint32_t offset : rec.secondOffsets)
        putU32(out, offset);
    putU32(out, static_cast<uint32_t>(rec.killSteps.size()));
    for (int32_t step : rec.killSteps)
        putI32(out, step);
    putU8(out, rec.slotsSeen);
    for (const auto& name : rec.names)
        putText(out, name, PLAYER_NAME_BYTES);
    std::vector<uint8_t> block;
    appendBlock(block, BLOCK_INDEX, payload.data(), out.used);
    uint8_t trailer[DEMO_TRAILER_BYTES];
    ByteOut end{trailer, sizeof trailer, 0, false};
    putU32(end, static_cast<uint32_t>(rec.fileBytes));
    putBytes(end, DEMO_INDEX_MAGIC, sizeof DEMO_INDEX_MAGIC);
    block.insert(block.end(), trailer, trailer + sizeof trailer);
    return block;
}
} // namespace

void demoRecordBegin(DemoRecorder& rec, const char* program, const char* folder, DemoRole role,
                     const WorldState& world, const StepState& state, const char* arenaChoice) {
    rec.on        = true;
    rec.opened    = false;
    rec.program   = program;
    rec.file      = nullptr;
    rec.overflow  = false;
    rec.steps     = 0;
    rec.slotsSeen = 0;
    std::memset(rec.names, 0, sizeof rec.names);
    if (rec.limits.files <= 0) rec.limits = DEMO_FOLDER_LIMITS;
    std::snprintf(rec.folder, sizeof rec.folder, "%s", folder);
    rec.path[0]     = '\0';
    rec.startedAt   = std::time(nullptr);
    DemoHeader& h   = rec.header;
    h               = DemoHeader{};
    h.formatVersion = DEMO_FORMAT_VERSION;
    std::snprintf(h.gameVersion, sizeof h.gameVersion, "%s", GAME_VERSION);
    std::snprintf(h.arenaChoice, sizeof h.arenaChoice, "%s", arenaChoice);
    std::snprintf(h.recorderName, sizeof h.recorderName, "%s", world.roster.localName);
    h.recorderSlot  = FREE_SLOT;
    h.role          = role;
    h.stepMs        = STEP_MS;
    h.startedAt     = static_cast<int64_t>(rec.startedAt);
    h.rules         = world.match.rules;
    rec.matchNumber = static_cast<uint32_t>(matchOf(world, role));
    // The marks and the start block now; the header, whose size never changes, when the file
    // opens and its arena is known.
    putMarks(rec.prefix);
    std::vector<uint8_t> start(DEMO_WORLD_BYTES + DEMO_STEP_STATE_BYTES);
    ByteOut out{start.data(), start.size(), 0, false};
    putDemoWorld(out, world, true);
    putDemoStepState(out, state);
    appendBlock(rec.prefix, BLOCK_START, start.data(), out.used);
    rec.fileBytes = rec.prefix.size() + headerBlock(h).size();
    rec.buffer.clear();
    rec.buffer.reserve(DEMO_WRITE_BYTES + DEMO_STEP_PAYLOAD_MOST);
    rec.secondOffsets.clear();
    rec.killSteps.clear();
    rec.randomState = gameRandState();
    rec.eventCount = rec.sentCount = 0;
    rec.events.resize(static_cast<size_t>(DEMO_STEP_MOST_EVENTS) * DEMO_EVENT_BYTES);
    rec.sent.resize(static_cast<size_t>(DEMO_STEP_MOST_SENT) * NET_RECORD_SIZE);
    rec.block.resize(DEMO_STEP_PAYLOAD_MOST);
    rec.chat      = &state.chat;
    rec.chatCount = state.chat.count;
}

void demoRecordAttach(DemoRecorder& rec, NetSession& net, StepSetup& setup) {
    net.tap   = ExchangeTap{tellEvent, &rec};
    setup.tap = StepTap{tellInput, tellSent, &rec};
}

void demoRecordStep(DemoRecorder& rec, const WorldState& world, const NetSession& net,
                    const StepState& state, const StepResult& result, uint32_t stepMs) {
    if (!rec.on) return;
    if (rec.overflow) {
        stop(rec, "a step held more records than a demo's block takes");
        return;
    }
    const int32_t match  = matchOf(world, rec.header.role);
    const bool nextMatch = rec.matchNumber > 0 && static_cast<uint32_t>(match) != rec.matchNumber;
    if (rec.matchNumber == 0) rec.matchNumber = static_cast<uint32_t>(match);
    addStepBlock(rec, world, result, stepMs, nextMatch);
    rec.eventCount = rec.sentCount = 0;
    rec.randomState                = gameRandState();
    rec.chatCount                  = state.chat.count;
    const bool ready               = rec.header.role != DemoRole::JOINER ||
                       (isValidSlot(world.localPlayer) && !world.awaitingHostWorld);
    if (!rec.opened && ready) openFile(rec, world, net);
    if (!rec.on) return;
    if (!rec.opened && rec.buffer.size() > PENDING_MOST_BYTES) {
        rec.on = false; // a joiner that never got its place: nothing to keep
        return;
    }
    if (rec.opened && rec.buffer.size() >= DEMO_WRITE_BYTES) {
        if (!writeOut(rec, rec.buffer)) return;
        rec.buffer.clear();
    }
    if (rec.fileBytes > DEMO_MOST_FILE_BYTES / 2) {
        stop(rec, "the demo has grown past its largest size");
        return;
    }
    if (!nextMatch) return;
    const DemoRole role = rec.header.role;
    char choice[DEMO_TEXT_BYTES + 1], folder[DEMO_PATH_BYTES];
    std::snprintf(choice, sizeof choice, "%s", rec.header.arenaChoice);
    std::snprintf(folder, sizeof folder, "%s", rec.folder);
    demoRecordEnd(rec);
    demoRecordBegin(rec, rec.program, folder, role, world, state, choice);
}

void demoRecordEnd(DemoRecorder& rec) {
    if (!rec.on) return;
    rec.on = false;
    if (!rec.opened) return;
    rec.on = true; // writeOut may still stop it
    if (writeOut(rec, rec.buffer) && writeOut(rec, indexBlock(rec))) {
        if (std::fclose(rec.file) != 0) {
            rec.file = nullptr;
            stop(rec, "the demo could not be closed");
        }
        rec.file = nullptr;
        pruneDemoFolder(rec.folder, rec.limits, rec.path);
    }
    rec.buffer.clear();
    rec.on     = false;
    rec.opened = false;
}
