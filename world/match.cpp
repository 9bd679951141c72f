// The match's rules: limits, kills counted from victims' records, the winner, intermission.
#include "world/match.h"

#include <algorithm>

#include "world/contact.h"
#include "world/world_state.h"

namespace {
// A clock read before `since` counts as no time passed, rather than as nearly 50 days.
uint32_t elapsedMs(uint32_t nowMs, uint32_t since) {
    const int32_t d = static_cast<int32_t>(nowMs - since);
    return d > 0 ? static_cast<uint32_t>(d) : 0;
}

int32_t secondsUp(uint32_t ms) {
    return static_cast<int32_t>((ms + MS_PER_SECOND - 1) / MS_PER_SECOND);
}

uint32_t timeLimitMs(const MatchRules& rules) {
    return static_cast<uint32_t>(rules.timeLimitMinutes) * MS_PER_MINUTE;
}

// The one slot with the most kills, or NO_WINNER when several share the top.
int32_t soleLeader(const MatchState& match) {
    int32_t leader = 0;
    bool shared    = false;
    for (int32_t s = 1; s < MAX_PLAYERS; ++s) {
        if (match.kills[s] == match.kills[leader]) shared = true;
        if (match.kills[s] > match.kills[leader]) leader = s, shared = false;
    }
    return shared ? NO_WINNER : leader;
}

bool limitReached(const MatchState& match, uint32_t nowMs) {
    const MatchRules& r = match.rules;
    const int32_t top   = *std::max_element(match.kills, match.kills + MAX_PLAYERS);
    if (r.scoreLimit > 0 && top >= r.scoreLimit) return true;
    return r.timeLimitMinutes > 0 && elapsedMs(nowMs, match.startedAtMs) >= timeLimitMs(r);
}

void beginPlay(MatchState& match, uint32_t nowMs) {
    match.phase       = MatchPhase::PLAYING;
    match.startedAtMs = nowMs;
    match.endedAtMs   = nowMs;
    match.winner      = NO_WINNER;
    std::fill(match.kills, match.kills + MAX_PLAYERS, 0);
}
} // namespace

bool matchRulesFit(const MatchRules& rules) {
    return rules.scoreLimit >= 0 && rules.scoreLimit <= MAX_SCORE_LIMIT &&
           rules.timeLimitMinutes >= 0 && rules.timeLimitMinutes <= MAX_TIME_LIMIT_MINUTES;
}

void startMatch(MatchState& match, const MatchRules& rules, uint32_t nowMs) {
    match                        = MatchState{};
    match.rules.scoreLimit       = std::clamp(rules.scoreLimit, 0, MAX_SCORE_LIMIT);
    match.rules.timeLimitMinutes = std::clamp(rules.timeLimitMinutes, 0, MAX_TIME_LIMIT_MINUTES);
    match.number                 = 1;
    beginPlay(match, nowMs);
}

MatchChange advanceMatch(MatchState& match, uint32_t nowMs) {
    if (match.phase == MatchPhase::PLAYING) {
        if (!limitReached(match, nowMs)) return MatchChange::NONE;
        match.phase     = MatchPhase::INTERMISSION;
        match.endedAtMs = nowMs;
        match.winner    = soleLeader(match);
        return MatchChange::ENDED;
    }
    if (elapsedMs(nowMs, match.endedAtMs) < INTERMISSION_MS) return MatchChange::NONE;
    match.number += 1;
    beginPlay(match, nowMs);
    return MatchChange::NEXT_MATCH;
}

int32_t countMatchKill(MatchState& match, int32_t victim, int32_t killer, int32_t health,
                       bool killerInGame) {
    if (!isValidSlot(victim)) return NO_KILLER;
    const bool wasAlive = match.alive[victim];
    match.alive[victim] = health > 0;
    if (!wasAlive || health > 0 || match.phase != MatchPhase::PLAYING) return NO_KILLER;
    if (!creditsAKill(victim, killer) || !killerInGame) return NO_KILLER;
    match.kills[killer] += 1;
    return killer;
}

void forgetMatchSlot(MatchState& match, int32_t slot) {
    if (!isValidSlot(slot)) return;
    match.kills[slot] = 0;
    match.alive[slot] = false;
}

int32_t matchSecondsLeft(const MatchState& match, uint32_t nowMs) {
    if (match.phase == MatchPhase::INTERMISSION)
        return secondsUp(INTERMISSION_MS -
                         std::min(INTERMISSION_MS, elapsedMs(nowMs, match.endedAtMs)));
    if (match.rules.timeLimitMinutes == 0) return NO_CLOCK;
    const uint32_t limit = timeLimitMs(match.rules);
    return secondsUp(limit - std::min(limit, elapsedMs(nowMs, match.startedAtMs)));
}

void beginNextMatch(WorldState& world) {
    world.localScore         = 0;
    world.roster.localDeaths = 0;
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        world.roster.kills[i]  = 0;
        world.roster.deaths[i] = 0;
        for (int32_t& life : world.players[i].rocketLife)
            life = 0;
    }
    if (isValidSlot(world.localPlayer)) spawnLocalPlayer(world, world.localPlayer);
}

void countStateKill(WorldState& world, int32_t victim, int32_t killer, int32_t health) {
    if (world.match.number <= 0 || !isValidSlot(victim)) return;
    const bool killerInGame = isValidSlot(killer) && world.players[killer].slot >= 0;
    countMatchKill(world.match, victim, killer, health, killerInGame);
}
