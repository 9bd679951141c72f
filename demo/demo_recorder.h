// Recording a program's steps: the world before its first step, then for every step what its
// replay needs (the exchange's records and slot events in their order, the local input, the
// random generator, the step's time and dropped slots) and the records it sent, a digest of
// the world every DEMO_DIGEST_EVERY steps; one file a match. Blocks gather in memory and go
// to disk in large pieces; a file that cannot be made or written ends the recording with one
// warning line, never the game.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <vector>

#include "demo/demo_file.h"
#include "demo/demo_folder.h"
#include "net/net_session.h"
#include "step/game_step.h"
#include "step/step_state.h"

constexpr size_t DEMO_WRITE_BYTES   = 256 * 1024; // blocks written in pieces this large
constexpr int DEMO_STEP_MOST_EVENTS = 2048;       // records and slot events in one step
constexpr int DEMO_STEP_MOST_SENT   = 512;        // records one step sends
constexpr size_t DEMO_STEP_PAYLOAD_MOST =
    31 + DEMO_STEP_MOST_EVENTS * 42 + DEMO_STEP_MOST_SENT * 40;

struct DemoRecorder {
    bool on;             // recording: begun, not ended nor stopped by a failure
    bool opened;         // the current match's file exists
    const char* program; // names the warning line
    char folder[DEMO_PATH_BYTES];
    char path[DEMO_PATH_BYTES];
    DemoFolderLimits limits;
    FILE* file;
    DemoHeader header;
    std::time_t startedAt;
    uint32_t matchNumber;        // the match this file holds
    std::vector<uint8_t> prefix; // the marks, header and start blocks, until the file opens
    std::vector<uint8_t> buffer; // step blocks not yet written
    uint64_t fileBytes;          // where the next block will lie
    int32_t steps;               // steps in this file
    uint32_t randomState;        // as the next step begins
    std::vector<uint32_t> secondOffsets;
    std::vector<int32_t> killSteps;
    uint8_t slotsSeen;
    char names[MAX_PLAYERS][PLAYER_NAME_BYTES + 1];
    // The step running.
    bool overflow;
    StepInput input;
    int eventCount;
    std::vector<uint8_t> events; // DEMO_STEP_MOST_EVENTS rows
    int sentCount;
    std::vector<uint8_t> sent; // DEMO_STEP_MOST_SENT records
    const ChatOutbox* chat;
    int chatCount; // parts in the outbox as the last step left it
    std::vector<uint8_t> block;
};

// Begins recording into folder (made and pruned as needed) from the next step on, in the
// program's role: world and state as they stand before that step. The file opens once the
// world is the match's (a joiner's once it has its slot and the host's arena).
void demoRecordBegin(DemoRecorder& rec, const char* program, const char* folder, DemoRole role,
                     const WorldState& world, const StepState& state, const char* arenaChoice);
// Points the session's exchange and the step's tap at the recorder; again after any restart
// of the session.
void demoRecordAttach(DemoRecorder& rec, NetSession& net, StepSetup& setup);
// After each step, with its time and result; the game's own kill line already added. A new
// match closes the file and begins the next.
void demoRecordStep(DemoRecorder& rec, const WorldState& world, const NetSession& net,
                    const StepState& state, const StepResult& result, uint32_t stepMs);
// Writes what is held, the index, and closes the file.
void demoRecordEnd(DemoRecorder& rec);
