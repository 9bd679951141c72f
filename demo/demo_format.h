// The file's fixed marks and sizes, and its one kind of block, which the writer and the reader
// share (docs/demo-format.md draws them).
#pragma once

#include <cstddef>
#include <cstdint>

#include "demo/demo_bytes.h"

constexpr uint8_t DEMO_MAGIC[8]       = {'V', 'O', 'R', 'D', 'E', 'M', 'O', 0x1A};
constexpr uint8_t DEMO_INDEX_MAGIC[8] = {'V', 'O', 'R', 'I', 'N', 'D', 'E', 'X'};
constexpr size_t DEMO_PREFIX_BYTES    = 12; // the magic and the format version
constexpr size_t DEMO_TRAILER_BYTES   = 12; // the index's offset and the index's magic
constexpr size_t BLOCK_FRAME_BYTES    = 9;  // length, kind, then after the payload its CRC

enum DemoBlockKind : uint8_t {
    BLOCK_HEADER = 1,
    BLOCK_START  = 2,
    BLOCK_STEP   = 3,
    BLOCK_INDEX  = 4,
};

// A step block's flags and the input's bits.
constexpr uint32_t STEP_HAS_DIGEST = 1u << 0;
constexpr uint32_t STEP_KILLED     = 1u << 1;
constexpr uint32_t INPUT_FORWARD   = 1u << 0;
constexpr uint32_t INPUT_BACKWARD  = 1u << 1;
constexpr uint32_t INPUT_LEFT      = 1u << 2;
constexpr uint32_t INPUT_RIGHT     = 1u << 3;
constexpr uint32_t INPUT_VERTICAL  = 1u << 4;
constexpr uint32_t INPUT_FIRE      = 1u << 5;
constexpr uint32_t INPUT_RESPAWN   = 1u << 6;

constexpr size_t DEMO_EVENT_BYTES = 2 + 40; // kind, slot, a record (zeros for none)
constexpr size_t STEP_FIXED_BYTES = 4 + 4 + 4 + 1 + 1 + 1 + 4 + 4 + 4 + 2 + 2;
// Room for the world as the start block holds it (about 6.4 KB, see demo_world.cpp).
constexpr size_t DEMO_WORLD_BYTES = 8192;
// Room for the step's own state in the start block (about 3.4 KB).
constexpr size_t DEMO_STEP_STATE_BYTES = 4096;

enum class BlockRead : uint8_t {
    WHOLE,   // the block and its checksum are right
    CUT,     // the file ends inside it
    DAMAGED, // its checksum is wrong
};

// payload framed as a block into out.
void putBlock(ByteOut& out, uint8_t kind, const uint8_t* payload, size_t length);
// The block at offset of size bytes: its kind, its payload and the offset after it.
BlockRead readBlock(const uint8_t* data, size_t size, size_t offset, uint8_t* kind, ByteIn* payload,
                    size_t* next);

struct WorldState;
// The world's part a replay begins from, and the digest reads (textures: the planets' texture
// names, which the digest leaves out).
void putDemoWorld(ByteOut& out, const WorldState& world, bool textures);
// False, with what is wrong in problem, for a field outside its table's range.
bool getDemoWorld(ByteIn& in, WorldState& world, char* problem, size_t problemSize);

struct DemoHeader;
void putDemoHeader(ByteOut& out, const DemoHeader& header);

struct StepState;
// What the step keeps that its records depend on: the player info last sent, the chat on its
// way out, the host's last match record and its arena's records.
void putDemoStepState(ByteOut& out, const StepState& state);
bool getDemoStepState(ByteIn& in, StepState& state, char* problem, size_t problemSize);
