// A match: the host counts kills, ends the match at its score or time limit, shows the
// result for an intermission, then starts the next one. Times are the caller's milliseconds;
// the world keeps no clock.
//
// Kills are counted from the victims' own state records, never from what a player claims
// of itself: a kill counts when a slot's record shows its ship dead, naming another slot as
// the killer, and that slot's record before showed it alive. A repeated death record (the
// same killer or another) adds nothing until the ship has come back, and a record naming
// the victim itself or a slot outside the table credits no one.
//
// The winner is the one player with the most kills when a limit is reached; a tie at the top
// (also no kills at all) is a draw, with no winner.
#pragma once

#include <cstdint>

#include "world/tables.h"

struct WorldState;

constexpr int32_t DEFAULT_SCORE_LIMIT        = 10;
constexpr int32_t DEFAULT_TIME_LIMIT_MINUTES = 10;
constexpr int32_t MAX_SCORE_LIMIT            = 999;
constexpr int32_t MAX_TIME_LIMIT_MINUTES     = 999;
constexpr uint32_t INTERMISSION_MS           = 10000;
constexpr uint32_t MS_PER_MINUTE             = 60000;
constexpr uint32_t MS_PER_SECOND             = 1000;
constexpr int32_t NO_WINNER                  = -1; // still playing, or a draw
constexpr int32_t NO_CLOCK                   = -1; // seconds left when there is no time limit

// 0 means no limit, for either.
struct MatchRules {
    int32_t scoreLimit;
    int32_t timeLimitMinutes;
};

constexpr MatchRules DEFAULT_MATCH_RULES = {DEFAULT_SCORE_LIMIT, DEFAULT_TIME_LIMIT_MINUTES};

enum class MatchPhase : int32_t { PLAYING = 0, INTERMISSION = 1 };

struct MatchState {
    MatchRules rules;
    MatchPhase phase;
    int32_t number;       // 1 for the first match
    uint32_t startedAtMs; // this match's start
    uint32_t endedAtMs;   // its end: the intermission runs from here
    int32_t winner;       // a slot, or NO_WINNER
    int32_t kills[MAX_PLAYERS];
    bool alive[MAX_PLAYERS]; // the slot's last state record showed its ship alive
};

// What advanceMatch changed.
enum class MatchChange : uint8_t {
    NONE,
    ENDED,      // a limit was reached: the intermission begins, winner set
    NEXT_MATCH, // the intermission is over: scores reset, every ship respawns, rockets cleared
};

// Both limits from 0 to their maximum.
bool matchRulesFit(const MatchRules& rules);

// Match 1 begins at nowMs under rules (each limit clamped into its range); nothing counted.
void startMatch(MatchState& match, const MatchRules& rules, uint32_t nowMs);

// Ends the match at a limit, or starts the next one once the intermission is over.
MatchChange advanceMatch(MatchState& match, uint32_t nowMs);

// Takes slot victim's state record (its killer and health words); returns the slot credited
// with a kill, or NO_KILLER. killerInGame: the named killer's slot holds a player now.
// Nothing is credited during the intermission, but the record is still noted.
int32_t countMatchKill(MatchState& match, int32_t victim, int32_t killer, int32_t health,
                       bool killerInGame);

// A slot given up or given to someone new: its kills and its last record are forgotten.
void forgetMatchSlot(MatchState& match, int32_t slot);

// For the clock: while playing, whole seconds (rounded up) until the time limit, NO_CLOCK
// without one; in the intermission, seconds until the next match.
int32_t matchSecondsLeft(const MatchState& match, uint32_t nowMs);

// The host's count from slot victim's state record as applied to the world (a match begun).
void countStateKill(WorldState& world, int32_t victim, int32_t killer, int32_t health);

// What this machine shows of the match: the host's own, a joiner's from the match record.
// number 0: nothing known yet (a host that sends none, or none arrived).
struct MatchView {
    MatchPhase phase;
    int32_t secondsLeft; // NO_CLOCK without a time limit
    int32_t number;
    int32_t winner; // a slot, or NO_WINNER
};

// The next match on this machine: every score back to 0, every rocket gone, the local ship
// (if any) respawned.
void beginNextMatch(WorldState& world);
