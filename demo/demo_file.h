// A recorded game on disk (docs/demo-format.md draws every byte): a header, the world as the
// first step found it, one block a step, then an index. Everything little-endian, like the
// records. The reader takes the whole file into memory and checks every length and checksum
// before it reads what they cover; a file cut short holds its whole steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "net/net_message.h"
#include "world/match.h"
#include "world/roster.h"
#include "world/step_input.h"
#include "world/tables.h"

struct StepState;
struct WorldState;

constexpr uint32_t DEMO_FORMAT_VERSION = 1;
constexpr int DEMO_TEXT_BYTES          = 32; // the game version, an arena's name or choice
constexpr int DEMO_DIGEST_EVERY        = 66; // steps: one second at 15 ms
constexpr int DEMO_PROBLEM_SIZE        = 384;
constexpr const char* DEMO_FILE_END    = ".vdem";
constexpr size_t DEMO_MOST_FILE_BYTES  = size_t{1} << 30; // larger files are not read

enum class DemoRole : uint8_t {
    JOINER = 0, // the game, joined to a host
    HOST   = 1, // the game hosting, with a ship of its own
    SERVER = 2, // the dedicated server: slot 0 has no ship
};

struct DemoHeader {
    uint32_t formatVersion;
    char gameVersion[DEMO_TEXT_BYTES + 1];
    char arenaName[DEMO_TEXT_BYTES + 1];   // what the first match is played in; "" for universe.uni
    uint32_t arenaCrc;                     // of that arena's (or universe.uni's) file
    char arenaChoice[DEMO_TEXT_BYTES + 1]; // the host's choice: a name, "rotate" or ""
    char recorderName[PLAYER_NAME_BYTES + 1];
    int32_t recorderSlot; // the recorder's slot when the file began; FREE_SLOT for a server
    DemoRole role;
    uint32_t stepMs;   // the step's length
    int64_t startedAt; // seconds since 1970 (UTC) when the recording began
    MatchRules rules;  // the host's limits
};

// What the exchange did to the world, in its order.
enum class DemoEventKind : uint8_t {
    FREED    = 1, // the host freed the slots in mask (peers given up in the step before)
    WELCOMED = 2, // the host gave slot to a new peer
    RECEIVED = 3, // a record from slot (the host: from that peer; a joiner: from the host) applied
    JOINED   = 4, // the host's welcome gave this joiner slot
    QUEUED   = 5, // the local player's chat part, queued since the step before
};
constexpr int DEMO_EVENT_KINDS = 5;

struct DemoEvent {
    DemoEventKind kind;
    uint8_t slot;      // FREED: the mask of slots, one bit each
    NetMessage record; // RECEIVED and QUEUED only
};

// One step as recorded; events and sent records point into the file's bytes.
struct DemoStep {
    int32_t number;        // counted from 0
    uint32_t stepMs;       // the step's own time on the recorder's clock
    uint32_t randomState;  // the game's random generator as the step began
    uint32_t droppedSlots; // the peers the step's end gave up (one bit a slot)
    StepInput input;       // the local input as the simulation took it
    bool hasDigest;
    uint32_t digest; // the world after the step (demoWorldDigest)
    bool killed;     // a kill line appeared in this step
    int eventCount;
    const uint8_t* events;
    int sentCount;
    const uint8_t* sent;
};

DemoEvent demoStepEvent(const DemoStep& step, int n); // n below step.eventCount
NetMessage demoStepSent(const DemoStep& step, int n); // n below step.sentCount

enum class DemoProblem : uint8_t {
    NONE,
    UNREADABLE,     // the file cannot be opened or read, or is too large
    NOT_A_DEMO,     // no demo's magic: a foreign file
    FORMAT_VERSION, // a demo of another format version
    GAME_VERSION,   // a demo of another game version (replaying it would go wrong)
    DAMAGED_HEADER, // the header's checksum or a field is wrong
    DAMAGED_START,  // the world the recording began with is damaged
    DAMAGED_BLOCK,  // a step block's checksum or contents are wrong
    DAMAGED_INDEX,  // the index at the end is damaged
    ARENA_DIFFERS,  // this machine's arena file is not the one recorded
};
// The exit code --verify ends with for a refused file.
constexpr int DEMO_EXIT_REFUSED = 2;

// A file read whole and checked: its header, the start of every second's block, the kills.
struct DemoFile {
    std::vector<uint8_t> bytes; // the whole file (or its first whole blocks)
    DemoHeader header;
    size_t startOffset;                             // the world the recording began with
    size_t firstStepOffset;                         // step 0's block
    int32_t stepCount;                              // whole steps held
    bool indexed;                                   // false: cut short, its steps found by a scan
    std::vector<uint32_t> secondOffsets;            // step k * DEMO_DIGEST_EVERY's block
    std::vector<int32_t> killSteps;                 // steps in which a kill line appeared
    uint8_t slotsSeen;                              // one bit a slot that held a player at any step
    char names[MAX_PLAYERS][PLAYER_NAME_BYTES + 1]; // each slot's last known name, "" for none
};

// Reads and checks a file; NONE, or the problem with what is wrong in problem. A file that
// ends inside a step block (a crash) holds the steps before it and is no problem.
DemoProblem demoReadFile(DemoFile& file, const char* path, char problem[DEMO_PROBLEM_SIZE]);
// The same over bytes already in memory (copied into file.bytes).
DemoProblem demoReadBytes(DemoFile& file, const uint8_t* data, size_t size,
                          char problem[DEMO_PROBLEM_SIZE]);
// The game version this program replays; a header naming another is refused as GAME_VERSION.
const char* demoGameVersion();
// Step block at offset (one from secondOffsets, firstStepOffset, or a previous *next) of
// step number; false, with problem, for a block that is damaged or lies past the end.
bool demoStepAt(const DemoFile& file, size_t offset, int32_t number, DemoStep* step, size_t* next,
                char problem[DEMO_PROBLEM_SIZE]);
// Writes the world the recording began with into world (keeping its loaded planet
// pictures) and, unless null, the step's own state into state; false, with problem, when the
// file's start is damaged.
bool demoStartWorld(const DemoFile& file, WorldState& world, StepState* state,
                    char problem[DEMO_PROBLEM_SIZE]);

// The checksum of what a replay must reproduce of a world: the players and their rockets, the
// planets, the scores, names and match. Drawing's own state (tracks, lines shown, textures)
// is left out.
uint32_t demoWorldDigest(const WorldState& world);
