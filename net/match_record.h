// The match record: the host tells every joiner the match's phase, limits, clock, number
// and winner (the layout is in match_record.cpp). Sent by the host only, whenever it changes
// and every second.
#pragma once

#include <cstdint>

#include "net/net_message.h"
#include "world/match.h"

constexpr int32_t MSG_MATCH                = 3006;
constexpr int32_t MATCH_SLOT               = 0; // the host's slot, which the record names
constexpr uint32_t MATCH_RECORD_EVERY_MS   = 1000;
constexpr int32_t MAX_INTERMISSION_SECONDS = INTERMISSION_MS / MS_PER_SECOND;

struct MatchRecord {
    MatchPhase phase;
    MatchRules rules;
    int32_t secondsLeft; // as matchSecondsLeft gives it
    int32_t number;
    int32_t winner; // a slot, or NO_WINNER
};

// The host's match as it stands at nowMs.
MatchRecord matchRecordOf(const MatchState& match, uint32_t nowMs);

// Every field within its range and consistent with the others (see the layout).
bool matchRecordFits(const MatchRecord& record);

NetMessage makeMatchMessage(const MatchRecord& record);

// False for another type, another slot or a record that does not fit; *out is then left
// as it was.
bool readMatchMessage(const NetMessage& msg, MatchRecord* out);
