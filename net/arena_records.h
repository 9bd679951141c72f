// The arena on the wire: a header record, then one record per texture and per planet (the
// layout is in arena_records.cpp), and the joiner's assembly that takes them one by one.
#pragma once

#include <cstdint>

#include "net/arena.h"
#include "net/net_message.h"

constexpr int32_t MSG_ARENA         = 3003; // host only: name, counts, CRC-32 of the parts
constexpr int32_t MSG_ARENA_TEXTURE = 3004; // host only: one picture name
constexpr int32_t MSG_ARENA_PLANET  = 3005; // host only: one planet
constexpr int32_t ARENA_SLOT        = 0;    // the host's slot, which every arena record names
constexpr int MAX_ARENA_RECORDS     = 1 + MAX_ARENA_TEXTURES + MAX_ARENA_PLANETS;

// The header, the textures in number order, then the planets in index order; returns how
// many records (0 when checkArena refuses the arena, which then cannot be sent).
int makeArenaMessages(const ArenaDescription& arena, NetMessage out[MAX_ARENA_RECORDS]);

// The CRC-32 a header announces: over the encoded 40 bytes of every texture record, then
// every planet record, in the order sent.
uint32_t arenaRecordsCrc(const NetMessage* parts, int count);

enum class ArenaStep : uint8_t {
    OTHER_TYPE, // not an arena record: nothing changed
    STARTED,    // a header: a new arena begins, dropping any half-received one
    TAKEN,      // a texture or planet taken; more to come
    COMPLETE,   // the last part (or a header of an empty arena): the arena is whole and checked
    REFUSED,    // the record was refused (the assembly's fault says why); the arena is dropped
};

struct ArenaAssembly {
    bool open;              // a header came and its parts are awaited
    uint32_t announcedCrc;  // from the header
    uint32_t crc;           // over the parts taken so far
    int32_t texturesIn;     // parts taken so far
    int32_t planetsIn;      //
    ArenaDescription arena; // the name and counts from the header, the parts so far
    ArenaFault fault;       // why the last record was refused, NONE otherwise
};

void resetArenaAssembly(ArenaAssembly& assembly);

// Takes one record. On COMPLETE the arena is copied to *complete; nothing else writes there.
// A part with no arena open is refused as UNEXPECTED, so after a refusal the rest of that
// arena's parts are too, until the next header.
ArenaStep addArenaRecord(ArenaAssembly& assembly, const NetMessage& msg,
                         ArenaDescription* complete);
