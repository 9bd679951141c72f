// Every record type this game knows, one row each: what a record must hold to be taken, whose
// records a host passes on, how many a second, and what applying one does. A new type is one
// row here and its builder.
#pragma once

#include <cstdint>

#include "net/arena_records.h"
#include "net/chat_assembly.h"
#include "net/net_message.h"

struct WorldState;

enum class RecordSender : uint8_t {
    ANYONE,    // relayed as it comes, whoever sends it
    OWN_SLOT,  // a peer speaks only for its own player
    HOST_ONLY, // only the host sends it; a host never passes one on from a peer
};

// What applying records keeps between them: chat lines and the host's arena, each arriving in
// parts.
struct RecordAssembly {
    ChatAssembly chat;
    ArenaAssembly arena;
};

struct RecordRule {
    int32_t type;
    bool (*fits)(const NetMessage& msg); // its slot and indexes lie inside the tables
    RecordSender sender;
    int perSecond; // taken from one peer each second; 0 for no limit
    void (*apply)(WorldState& world, RecordAssembly& assembly, const NetMessage& msg,
                  uint32_t nowMs);
};

constexpr int RECORD_RULES_MAX = 32; // rows the table may grow to

extern const RecordRule RECORD_RULES[];
extern const int RECORD_RULE_COUNT;

// The row of a type; nullptr for a type this game does not know.
const RecordRule* findRecordRule(int32_t type);
// Its row's index, for per-type tallies; -1 for an unknown type.
int recordRuleIndex(int32_t type);

// False for a record of a known type that names a slot or index outside the tables.
bool netMessageFitsTables(const NetMessage& msg);

// Applies a received record by its row: state and rocket records to the player table (a
// state record naming a killer also shows who destroyed whom), player info to the roster,
// chat parts to the chat once a line is whole; unknown types and records that do not fit
// change nothing. A state record with no killer leaves a kill credit for the local player in
// place until it is counted. nowMs stamps the lines shown.
void applyNetMessage(WorldState& world, RecordAssembly& assembly, const NetMessage& msg,
                     uint32_t nowMs);
