// The match and arena records, their refusals, CRC-32, and the generated arenas as shared.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>

#include "net/arena_records.h"
#include "net/crc32.h"
#include "net/match_record.h"
#include "tests/support/portable/file_text.h"
#include "tests/support/portable/wire.h"
#include "tests/support/test_paths.h"

namespace {
// clang-format off
ArenaDescription sample() { // 28 bytes of texture name, radii up to the limit
    ArenaDescription a{"Dust_Belt-2", 2, {"rock", "ice-Tint_3abcdefghijklmnopqr"}, 3, {}};
    for (int k = 0; k < 3; ++k)
        a.planet[k] = {{k * 10.0f, -5.5f, 3}, 1000.0f - k, k % 2, -0.5f};
    return a;
}
// clang-format on

// Records in turn until one is refused; the last step. *out is written only on COMPLETE.
ArenaStep feed(ArenaAssembly& a, const NetMessage* r, int count, ArenaDescription* out) {
    ArenaStep step = ArenaStep::OTHER_TYPE;
    for (int k = 0; k < count && step != ArenaStep::REFUSED; ++k)
        step = addArenaRecord(a, r[k], out);
    return step;
}
} // namespace

TEST(Crc32, MatchesZlibsKnownValuesWholeOrInPieces) {
    const auto crc = [](const char* s, uint32_t from = 0) {
        return crc32(from, reinterpret_cast<const uint8_t*>(s), std::strlen(s));
    };
    EXPECT_EQ(crc(""), 0u);
    EXPECT_EQ(crc("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
    EXPECT_EQ(crc("56789", crc("1234")), 0xCBF43926u);
}

TEST(ArenaRecords, AnArenaComesThroughWholeAndANewHeaderStartsAfresh) {
    const ArenaDescription sent = sample();
    NetMessage r[MAX_ARENA_RECORDS];
    ASSERT_EQ(makeArenaMessages(sent, r), 6);
    ArenaAssembly a{};
    ArenaDescription got{}, empty{"void", 0, {}, 0, {}};
    EXPECT_EQ(feed(a, r, 3, &got), ArenaStep::TAKEN);
    EXPECT_EQ(feed(a, r, 6, &got), ArenaStep::COMPLETE);
    EXPECT_EQ(std::memcmp(&got, &sent, sizeof got), 0);
    EXPECT_EQ(addArenaRecord(a, makeControlMessage(MSG_STATE, 0), &got), ArenaStep::OTHER_TYPE);
    EXPECT_EQ(feed(a, r, makeArenaMessages(empty, r), &got), ArenaStep::COMPLETE);
    EXPECT_EQ(got.planetCount, 0);
    empty.planetCount = MAX_ARENA_PLANETS + 1;
    EXPECT_EQ(makeArenaMessages(empty, r), 0);
}

TEST(ArenaRecords, EveryFaultIsRefusedWhereItComesAndNothingIsTaken) {
    using F                 = ArenaFault;
    const uint32_t NAN_BITS = floatWord(std::nanf("")), INF = floatWord(INFINITY), RADIUS = 6;
    // clang-format off
    const struct { int record, word; uint32_t value; int refusedAt; ArenaFault fault; } cases[] = {
        {0, 1, 1, 0, F::SLOT},           {4, 1, 7, 4, F::SLOT},         {0, 2, 51, 0, F::COUNT},
        {0, 2, ~0u, 0, F::COUNT},        {0, 3, 21, 0, F::COUNT},       {0, 5, '.', 0, F::NAME},
        {0, 5, 0, 0, F::NAME},           {0, 8, 'x' << 8, 0, F::NAME},  {2, 3, 0, 2, F::NAME},
        {1, 3, 'a' | '/' << 8, 1, F::NAME}, {1, 2, 1, 1, F::INDEX},     {3, 2, 1, 3, F::INDEX},
        {5, 2, 3, 5, F::INDEX},          {3, 0, MSG_ARENA_TEXTURE, 3, F::INDEX},
        {2, 0, MSG_ARENA_PLANET, 2, F::INDEX},      {3, 3, NAN_BITS, 3, F::NUMBER},
        {4, 5, INF, 4, F::NUMBER},       {5, RADIUS, INF, 5, F::NUMBER}, {5, 8, ~0u, 5, F::NUMBER},
        {3, RADIUS, 0, 3, F::RADIUS},    {3, RADIUS, floatWord(1000.01f), 3, F::RADIUS},
        {4, RADIUS, floatWord(-1), 4, F::RADIUS},                       {4, 7, 2, 4, F::TEXTURE},
        {5, 7, ~0u, 5, F::TEXTURE},      {0, 4, 12345, 5, F::CHECKSUM}, {5, 9, 1, 5, F::CHECKSUM}};
    // clang-format on
    for (const auto& c : cases) {
        NetMessage r[MAX_ARENA_RECORDS];
        makeArenaMessages(sample(), r);
        r[c.record].word[c.word] = c.value;
        ArenaAssembly a{};
        ArenaDescription got{};
        int at = 0;
        while (at < 6 && addArenaRecord(a, r[at], &got) != ArenaStep::REFUSED)
            ++at;
        EXPECT_EQ(at, c.refusedAt) << c.record << ":" << c.word;
        EXPECT_EQ(a.fault, c.fault) << c.record << ":" << c.word;
        EXPECT_EQ(got.planetCount, 0) << c.record << ":" << c.word;
        EXPECT_EQ(at < 5 ? addArenaRecord(a, r[5], &got) : ArenaStep::REFUSED, ArenaStep::REFUSED);
    }
}

// A record of the host's match reads back; one word out of range or at odds with the others
// (in an intermission record, or a playing one with a 2-minute limit) refuses it whole.
TEST(MatchRecord, ARecordComesThroughAndOneOutOfRangeIsRefused) {
    MatchState m;
    startMatch(m, {5, 3}, 0);
    MatchRecord got{};
    ASSERT_TRUE(readMatchMessage(makeMatchMessage(matchRecordOf(m, 1000)), &got));
    EXPECT_EQ(
        std::vector<int32_t>({int32_t(got.phase), got.rules.scoreLimit, got.rules.timeLimitMinutes,
                              got.secondsLeft, got.number, got.winner}),
        std::vector<int32_t>({0, 5, 3, 179, 1, NO_WINNER}));
    // clang-format off
    const NetMessage ended   = makeMatchMessage({MatchPhase::INTERMISSION, {0, 0}, 10, 7, 7});
    const NetMessage playing = makeMatchMessage({MatchPhase::PLAYING, {0, 2}, 120, 1, NO_WINNER});
    const std::array<int32_t, 3> bad[] = { // in the intermission, word, value
        {1, 0, 3005}, {1, 1, 1}, {1, 2, 2}, {1, 3, -1}, {1, 3, 1000}, {1, 4, 1000}, {1, 5, 11},
        {1, 5, -1}, {1, 6, 0}, {1, 7, 8}, {0, 5, 121}, {0, 4, 0}, {0, 7, 3}};
    // clang-format on
    EXPECT_TRUE(readMatchMessage(ended, &got));
    EXPECT_TRUE(readMatchMessage(playing, &got));
    for (auto [inIntermission, word, value] : bad) {
        NetMessage msg = inIntermission ? ended : playing;
        msg.word[word] = uint32_t(value);
        EXPECT_FALSE(readMatchMessage(msg, &got))
            << inIntermission << ": " << word << " = " << value;
    }
}

// The arenas as the host would share them: read by the universe reader, sent and taken whole.
TEST(Arenas, FiveOrMoreGeneratedArenasTheClassicFirstEachReadsAndTheyDiffer) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(gameDir() + "/" + ARENA_FOLDER))
        names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(names[0], "classic");
    const std::string arenas = gameDir() + "/" + ARENA_FOLDER + "/";
    EXPECT_EQ(fileText(arenas + "classic.uni"), fileText(gameDir() + "/" + UNIVERSE_FILE));
    std::vector<int> planets; // each arena's, in name order
    std::set<std::vector<float>> layouts;
    std::set<std::set<int>> looks;
    for (const std::string& name : names) {
        WorldState w;
        resetWorld(w);
        UniverseTextures t{};
        ASSERT_TRUE(loadUniverse(w, (arenas + name + ARENA_FILE_END).c_str(), &t)) << name;
        planets.push_back(w.planetCount);
        ArenaDescription arena{}, got{};
        ASSERT_EQ(arenaFromUniverse(name.c_str(), w.planets, w.planetCount, t, &arena),
                  ArenaFault::NONE)
            << name;
        NetMessage r[MAX_ARENA_RECORDS];
        ArenaAssembly a{};
        EXPECT_EQ(feed(a, r, makeArenaMessages(arena, r), &got), ArenaStep::COMPLETE) << name;
        EXPECT_EQ(std::memcmp(&got, &arena, sizeof got), 0) << name;
        const float* at = &w.planets.pos[0][0];
        layouts.insert(std::vector<float>(at, at + 3 * w.planetCount));
        looks.insert(std::set<int>(w.planets.texture, w.planets.texture + w.planetCount));
    }
    EXPECT_EQ(planets, (std::vector<int>{15, 20, 13, 27, 24, 14})) << "as the arenas were laid out";
    EXPECT_EQ(layouts.size(), names.size());
    EXPECT_EQ(looks.size(), names.size());
}
