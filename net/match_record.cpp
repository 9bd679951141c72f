// The match record: byte layout, building it, reading it.
//
//   bytes   word  field (MSG_MATCH)                                          type of word
//   0-3     0     type 3006                                                  int
//   4-7     1     slot 0 (the host)                                          int
//   8-11    2     phase: 0 playing, 1 intermission                           int
//   12-15   3     score limit, 0 (none) to 999                               int
//   16-19   4     time limit in minutes, 0 (none) to 999                     int
//   20-23   5     seconds left: while playing, of the time limit (0 to the   int
//                 limit; -1 with none); in the intermission, until the next
//                 match (0-10)
//   24-27   6     match number, from 1                                       int
//   28-31   7     winner's slot 0-7; -1 while playing, and after a draw      int
//   32-39   8-9   zero                                                       int
//
//   A record out of these ranges is refused whole. Peers that know only the older types
//   ignore it, and keep playing without an end.
#include "net/match_record.h"

namespace {
constexpr int W_TYPE             = 0;
constexpr int W_SLOT             = 1;
constexpr int W_PHASE            = 2;
constexpr int W_SCORE            = 3;
constexpr int W_MINUTES          = 4;
constexpr int W_SECONDS          = 5;
constexpr int W_NUMBER           = 6;
constexpr int W_WINNER           = 7;
constexpr int SECONDS_PER_MINUTE = 60;

int32_t wordInt(const NetMessage& msg, int word) {
    return static_cast<int32_t>(msg.word[word]);
}
} // namespace

MatchRecord matchRecordOf(const MatchState& match, uint32_t nowMs) {
    return MatchRecord{match.phase, match.rules, matchSecondsLeft(match, nowMs), match.number,
                       match.winner};
}

bool matchRecordFits(const MatchRecord& r) {
    if (!matchRulesFit(r.rules) || r.number < 1) return false;
    if (r.phase == MatchPhase::INTERMISSION)
        return r.secondsLeft >= 0 && r.secondsLeft <= MAX_INTERMISSION_SECONDS &&
               (r.winner == NO_WINNER || isValidSlot(r.winner));
    if (r.phase != MatchPhase::PLAYING || r.winner != NO_WINNER) return false;
    if (r.rules.timeLimitMinutes == 0) return r.secondsLeft == NO_CLOCK;
    return r.secondsLeft >= 0 && r.secondsLeft <= r.rules.timeLimitMinutes * SECONDS_PER_MINUTE;
}

NetMessage makeMatchMessage(const MatchRecord& r) {
    NetMessage msg{};
    msg.word[W_TYPE]    = static_cast<uint32_t>(MSG_MATCH);
    msg.word[W_SLOT]    = static_cast<uint32_t>(MATCH_SLOT);
    msg.word[W_PHASE]   = static_cast<uint32_t>(r.phase);
    msg.word[W_SCORE]   = static_cast<uint32_t>(r.rules.scoreLimit);
    msg.word[W_MINUTES] = static_cast<uint32_t>(r.rules.timeLimitMinutes);
    msg.word[W_SECONDS] = static_cast<uint32_t>(r.secondsLeft);
    msg.word[W_NUMBER]  = static_cast<uint32_t>(r.number);
    msg.word[W_WINNER]  = static_cast<uint32_t>(r.winner);
    return msg;
}

bool readMatchMessage(const NetMessage& msg, MatchRecord* out) {
    if (netMessageType(msg) != MSG_MATCH || netMessageSlot(msg) != MATCH_SLOT) return false;
    const int32_t phase = wordInt(msg, W_PHASE);
    if (phase != int32_t(MatchPhase::PLAYING) && phase != int32_t(MatchPhase::INTERMISSION))
        return false;
    const MatchRecord r = {
        static_cast<MatchPhase>(phase),
        {wordInt(msg, W_SCORE), wordInt(msg, W_MINUTES)},
        wordInt(msg, W_SECONDS),
        wordInt(msg, W_NUMBER),
        wordInt(msg, W_WINNER)
    };
    if (!matchRecordFits(r)) return false;
    *out = r;
    return true;
}
