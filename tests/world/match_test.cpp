// The match on a fake clock that wraps round during every case, and kills from records.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "world/match.h"

namespace {
constexpr uint32_t START = 0xFFFFFF00u, MINUTE = MS_PER_MINUTE;
} // namespace

// Slot 2's records one by one: killer, health, the killer in the game; and the slot credited.
TEST(Match, AKillCountsOnceADeathFromTheVictimsRecordAndNeverForTheVictim) {
    // clang-format off
    const struct { const char* what; std::vector<std::array<int32_t, 4>> records; } cases[] = {
        {"alive, then dead at 1's hands", {{-1, 100, 1, -1}, {1, 0, 1, 1}}},
        {"the death record repeated",     {{-1, 9, 1, -1}, {1, 0, 1, 1}, {1, 0, 1, -1},
                                           {1, -4, 1, -1}}},
        {"another killer, still dead",    {{-1, 9, 1, -1}, {1, 0, 1, 1}, {3, 0, 1, -1}}},
        {"back, and dead again",          {{-1, 9, 1, -1}, {1, 0, 1, 1}, {-1, 0, 1, -1},
                                           {-1, 9, 1, -1}, {1, 0, 1, 1}}},
        {"dead in its first record",      {{1, 0, 1, -1}}},
        {"alive, naming a killer",        {{-1, 9, 1, -1}, {1, 5, 1, -1}}},
        {"self-credit",                   {{-1, 9, 1, -1}, {2, 0, 1, -1}}},
        {"a killer beyond the table",     {{-1, 9, 1, -1}, {MAX_PLAYERS, 0, 1, -1}}},
        {"a killer below it",             {{-1, 9, 1, -1}, {-2, 0, 1, -1}}},
        {"a killer not in the game",      {{-1, 9, 1, -1}, {1, 0, 0, -1}}},
    };
    // clang-format on
    MatchState m;
    for (const auto& c : cases) {
        startMatch(m, DEFAULT_MATCH_RULES, START);
        for (const auto& r : c.records)
            EXPECT_EQ(countMatchKill(m, 2, r[0], r[1], r[2]), r[3]) << c.what;
    }
    EXPECT_EQ(countMatchKill(m, MAX_PLAYERS, 1, 0, true), NO_KILLER);
}

// Kills as counted and the clock: whether the match ends, and who wins.
TEST(Match, AMatchEndsAtItsScoreOrTimeLimitAndASharedTopIsADraw) {
    using C = MatchChange;
    // clang-format off
    const struct {
        const char* what; MatchRules rules; std::vector<int32_t> kills; uint32_t after;
        MatchChange change; int32_t winner;
    } cases[] = {
        {"the score limit",          {10, 10},   {0, 10, 3}, 1,            C::ENDED, 1},
        {"just below it",            {10, 10},   {0, 9, 9},  1,            C::NONE,  NO_WINNER},
        {"two reach it at once",     {10, 0},    {10, 10},   1,            C::ENDED, NO_WINNER},
        {"the time limit",           {10, 1},    {0, 0, 4},  MINUTE,       C::ENDED, 2},
        {"a ms before it",           {10, 1},    {0, 0, 4},  MINUTE - 1,   C::NONE,  NO_WINNER},
        {"a tie at the time limit",  {10, 1},    {3, 3, 1},  MINUTE,       C::ENDED, NO_WINNER},
        {"no kills at all",          {10, 1},    {},         MINUTE,       C::ENDED, NO_WINNER},
        {"no limits",                {0, 0},     {900},      999 * MINUTE, C::NONE,  NO_WINNER},
        {"rules beyond their range", {-5, 5000}, {1},        999 * MINUTE, C::ENDED, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        MatchState m;
        startMatch(m, c.rules, START);
        std::copy(c.kills.begin(), c.kills.end(), m.kills);
        EXPECT_EQ(advanceMatch(m, START + c.after), c.change) << c.what;
        EXPECT_EQ(m.winner, c.winner) << c.what;
    }
}

TEST(Match, TheIntermissionLastsTenSecondsCountsNothingAndTheNextMatchStartsAfresh) {
    MatchState m;
    startMatch(m, {1, 2}, START);
    EXPECT_EQ(matchSecondsLeft(m, START), 120);
    EXPECT_EQ(matchSecondsLeft(m, START + 119001), 1);
    countMatchKill(m, 3, NO_KILLER, FULL_HEALTH, true);
    countMatchKill(m, 4, NO_KILLER, FULL_HEALTH, true);
    EXPECT_EQ(countMatchKill(m, 3, 5, 0, true), 5);
    const uint32_t end = START + 7000;
    ASSERT_EQ(advanceMatch(m, end), MatchChange::ENDED);
    EXPECT_EQ(matchSecondsLeft(m, end + 1), 10);
    EXPECT_EQ(countMatchKill(m, 4, 6, 0, true), NO_KILLER);
    EXPECT_EQ(advanceMatch(m, end + INTERMISSION_MS - 1), MatchChange::NONE);
    ASSERT_EQ(advanceMatch(m, end + INTERMISSION_MS), MatchChange::NEXT_MATCH);
    EXPECT_EQ(std::vector<int32_t>({m.number, m.kills[5], m.winner, int32_t(m.phase)}),
              std::vector<int32_t>({2, 0, NO_WINNER, int32_t(MatchPhase::PLAYING)}));
    EXPECT_EQ(matchSecondsLeft(m, end + INTERMISSION_MS), 120);
    startMatch(m, {0, 0}, START);
    EXPECT_EQ(matchSecondsLeft(m, START), NO_CLOCK);
}
