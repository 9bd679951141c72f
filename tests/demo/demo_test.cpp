// A match of the real server recorded, then checked by the real game without a window: whole,
// cut short, with a byte changed in each part; and the folder kept within its limits.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "demo/demo_file.h"
#include "demo/demo_folder.h"
#include "demo/demo_replay.h"
#include "net/crc32.h"
#include "tests/support/demo_match.h"
#include "tests/support/game_driver.h"
#include "tests/support/test_paths.h"

namespace fs = std::filesystem;

namespace {
constexpr int HEADER_PAYLOAD = 12 + 5; // past the marks and the header block's length and kind
constexpr int WAIT_MS        = 10000;

using Bytes = std::vector<uint8_t>;

// The demos a server with bots writes into folder/demos while it plays for seconds.
std::vector<fs::path> recordMatch(GameDriver& server, int seconds, int bots,
                                  const std::string& folder) {
    const std::string demos = folder + "/demos";
    server.start({"-c", "exec " + gameDir() + "/voranis-server --quiet --time-limit 0 --bots " +
                            std::to_string(bots) + " --record " + demos},
                 server.folder(), "sh");
    sleep(static_cast<unsigned>(seconds));
    kill(server.pid(), SIGTERM);
    EXPECT_EQ(server.exitCode(WAIT_MS), 0) << server.errors();
    std::vector<fs::path> files;
    std::error_code none;
    for (const auto& entry : fs::directory_iterator(demos, none))
        files.push_back(entry.path());
    return files;
}

struct Verified {
    int exitCode;
    std::string output; // standard output and error
};

Verified verify(const fs::path& file) {
    GameDriver game(false);
    game.start({"--demo", file.string(), "--verify"});
    const int code = game.exitCode(WAIT_MS);
    return Verified{code, game.output() + game.errors()};
}

Bytes readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

uint32_t little(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The block at offset gets its checksum again, as a writer of that content would have made it.
void reseal(Bytes& b, size_t offset) {
    const size_t length = little(b, offset);
    const uint32_t crc  = crc32(0, &b[offset + 4], length + 1);
    for (int n = 0; n < 4; ++n)
        b[offset + 5 + length + n] = static_cast<uint8_t>(crc >> (8 * n));
}

// Where step 65's block lies: the first that holds a digest.
size_t firstDigestBlock(const Bytes& bytes) {
    DemoFile file;
    char problem[DEMO_PROBLEM_SIZE];
    EXPECT_EQ(demoReadBytes(file, bytes.data(), bytes.size(), problem), DemoProblem::NONE);
    size_t offset = file.firstStepOffset;
    DemoStep step;
    for (int n = 0; n < DEMO_DIGEST_EVERY - 1; ++n)
        demoStepAt(file, offset, n, &step, &offset, problem);
    return offset;
}
} // namespace

TEST(DemoRecording, AServerMatchWithBotsIsRecordedAndVerifies) {
    GameDriver server(false);
    const auto files = recordMatch(server, 30, 3, server.folder());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(files[0].filename().string().find("_universe.vdem"), std::string::npos);
    const Verified v = verify(files[0]);
    EXPECT_EQ(v.exitCode, 0) << v.output;
    EXPECT_NE(v.output.find(files[0].string() + ": "), std::string::npos) << v.output;
    EXPECT_NE(v.output.find(" steps, 3 players, arena universe, verified\n"), std::string::npos)
        << v.output;
}

TEST(DemoRecording, AHostWhoseShipTurnsClimbsAndFiresVerifies) {
    GameDriver scratch(false);
    const std::string demo = recordTurningMatch(scratch.folder(), 1000);
    const Verified v       = verify(demo);
    EXPECT_EQ(v.exitCode, 0) << v.output;
    EXPECT_NE(v.output.find(": 1000 steps, 8 players, arena universe, verified"), std::string::npos)
        << v.output;
}

// A one-minute match, its intermission, and the next: a demo each, each verified.
TEST(DemoRecording, EachMatchIsADemoOfItsOwn) {
    GameDriver scratch(false);
    const int minute = 60000 / 15, intermission = 10000 / 15;
    recordTurningMatch(scratch.folder(), minute + intermission + 300, 1);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(scratch.folder()))
        if (entry.path().extension() == DEMO_FILE_END) files.push_back(entry.path());
    ASSERT_EQ(files.size(), 2u);
    for (const fs::path& file : files) {
        const Verified v = verify(file);
        EXPECT_EQ(v.exitCode, 0) << v.output;
    }
}

// Each part of the file damaged in turn: a whole step's block cut off plays the steps before
// it; a changed byte in the header, a block or the index is refused with its reason; a world
// that does not come out as recorded names its step.
TEST(DemoRecording, CutShortDamagedOrForeignFilesEndAsTheyMust) {
    GameDriver server(false);
    const auto files = recordMatch(server, 3, 1, server.folder());
    ASSERT_EQ(files.size(), 1u);
    const Bytes whole = readBytes(files[0]);
    ASSERT_GT(whole.size(), 4096u);
    struct Case {
        const char* name;
        void (*damage)(Bytes& b);
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {"cut",     [](Bytes& b) { b.resize(b.size() * 2 / 3); },          0, " steps, 1 players, arena "    },
        {"header",  [](Bytes& b) { b[HEADER_PAYLOAD + 40] ^= 0x20; },      2, "its header is damaged"        },
        {"block",   [](Bytes& b) { b[firstDigestBlock(b) + 20] ^= 0x01; }, 2,
         "step 65's block is damaged: its checksum is wrong"                                                 },
        {"index",   [](Bytes& b) { b[b.size() - 20] ^= 0x01; },            2, "its index is damaged"         },
        {"digest",
         [](Bytes& b) {
             const size_t block = firstDigestBlock(b);
             b[block + 5 + 23] ^= 0x01; // the digest's first byte
             reseal(b, block);
         },                                                                1, "step 65 differs"              },
        {"version",
         [](Bytes& b) {
             std::copy_n("0.0.1\0\0\0", 8, &b[HEADER_PAYLOAD]);
             reseal(b, 12);
         },                                                                2, "was recorded by Voranis 0.0.1"},
        {"foreign", [](Bytes& b) { b.assign(64, 'x'); },                   2, "is not a demo of this game"   },
    };
    for (const Case& c : cases) {
        Bytes bytes = whole;
        c.damage(bytes);
        const fs::path damaged = server.folder() + "/" + c.name + ".vdem";
        writeBytes(damaged, bytes);
        const Verified v = verify(damaged);
        EXPECT_EQ(v.exitCode, c.exitCode) << c.name << ": " << v.output;
        EXPECT_NE(v.output.find(c.says), std::string::npos) << c.name << ": " << v.output;
    }
}

TEST(DemoRecording, AFolderThatCannotBeMadeStopsItWithOneLineAndTheServerPlaysOn) {
    GameDriver server(false);
    std::ofstream(server.folder() + "/taken") << "a file, not a folder";
    recordMatch(server, 2, 0, server.folder() + "/taken");
    const std::string errors = server.errors();
    const size_t line        = errors.find("voranis-server: demo recording stopped: cannot create");
    EXPECT_NE(line, std::string::npos) << errors;
    EXPECT_EQ(errors.find("voranis-server:", line + 1), std::string::npos) << errors;
}

TEST(DemoFolder, TheOldestGoUntilBothTheFileAndTheByteLimitsHold) {
    GameDriver scratch(false);
    const fs::path folder = scratch.folder() + "/demos";
    fs::create_directories(folder);
    const char* names[] = {"2026-01-01_10-00-00_a", "2026-01-02_10-00-00_b",
                           "2026-01-03_10-00-00_c", "2026-01-04_10-00-00_d"};
    for (const char* name : names)
        writeBytes(folder / (std::string(name) + DEMO_FILE_END), Bytes(1000, 0));
    std::ofstream(folder / "notes.txt") << "not a demo";
    const auto held = [&] {
        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator(folder))
            left.push_back(e.path().filename().string());
        std::sort(left.begin(), left.end());
        return left;
    };
    EXPECT_EQ(pruneDemoFolder(folder.c_str(), DemoFolderLimits{3, 1u << 20}, nullptr), 1);
    EXPECT_EQ(held(),
              (std::vector<std::string>{"2026-01-02_10-00-00_b.vdem", "2026-01-03_10-00-00_c.vdem",
                                        "2026-01-04_10-00-00_d.vdem", "notes.txt"}));
    const std::string kept = (folder / "2026-01-02_10-00-00_b.vdem").string();
    EXPECT_EQ(pruneDemoFolder(folder.c_str(), DemoFolderLimits{50, 1500}, kept.c_str()), 2);
    EXPECT_EQ(held(), (std::vector<std::string>{"2026-01-02_10-00-00_b.vdem", "notes.txt"}));
}

// Seeking lands on the very worlds a replay from the start reaches: back to a kept world,
// forward past one, and back again.
TEST(DemoReplay, SeekingBackAndForthReachesTheWorldsOfAStraightReplay) {
    GameDriver scratch(false);
    const std::string demo = recordTurningMatch(scratch.folder(), 2000);
    auto pictures          = std::make_unique<WorldState>();
    resetWorld(*pictures);
    char problem[DEMO_PROBLEM_SIZE];
    auto straight = std::make_unique<DemoReplay>();
    ASSERT_EQ(demoReplayOpen(*straight, demo.c_str(), *pictures, problem), DemoProblem::NONE);
    const int32_t stops[] = {1500, 700, 1999, 0, 661};
    std::vector<uint32_t> digests(2001);
    auto report = std::make_unique<StepReport>();
    for (int32_t n = 0; n <= 2000; ++n) {
        digests[n] = demoWorldDigest(straight->now->world);
        if (n < 2000) demoReplayNext(*straight, report.get(), problem);
    }
    auto seeking = std::make_unique<DemoReplay>();
    ASSERT_EQ(demoReplayOpen(*seeking, demo.c_str(), *pictures, problem), DemoProblem::NONE);
    for (int32_t stop : stops) {
        ASSERT_TRUE(demoReplaySeek(*seeking, stop, problem)) << problem;
        EXPECT_EQ(demoWorldDigest(seeking->now->world), digests[stop]) << stop;
    }
}
