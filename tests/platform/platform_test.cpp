// The platform layer's system half, the same on every system: folders, programs and gamepads.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/platform.h"

namespace {
constexpr int NAME_SIZE = 8, MOST_NAMES = 4;
}

TEST(Platform, FolderNamesAreTheFilesWithTheEndingWithoutItThatFit) {
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) /
                                         ("voranis-names-" + std::to_string(platformProcessId()));
    std::filesystem::create_directories(folder);
    for (const char* file : {"a.uni", "b.uni", "c.txt", "uni", "long-name.uni", "e.uni.txt"})
        std::ofstream(folder / file) << "x";
    char names[MOST_NAMES][NAME_SIZE];
    const int count =
        platformFolderNames(folder.string().c_str(), ".uni", names[0], NAME_SIZE, MOST_NAMES);
    std::set<std::string> found;
    for (int i = 0; i < count; ++i)
        found.insert(names[i]);
    EXPECT_EQ(found, (std::set<std::string>{"a", "b"})) << "no other ending, none too long";
    EXPECT_EQ(platformFolderNames((folder / "none").string().c_str(), ".uni", names[0], NAME_SIZE,
                                  MOST_NAMES),
              0);
    std::filesystem::remove_all(folder);
}

TEST(Platform, TheProgramFolderHoldsThisProgramAndEndsWithASeparator) {
    char folder[1024];
    platformProgramFolder(folder, sizeof folder);
    const std::string text = folder;
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(text.back() == '/' || text.back() == '\\') << text;
    EXPECT_TRUE(std::filesystem::is_directory(text)) << text;
}

TEST(Platform, AMissingProgramDoesNotStartAndStoppingNothingIsHarmless) {
    const char* argv[] = {"none", nullptr};
    EXPECT_EQ(platformStartProgram("/none/voranis-none", argv), NO_PROGRAM);
    platformStopProgram(NO_PROGRAM);
}

// The system's gamepad service opens (XInput under Wine too); with no pad plugged in, none
// plays and its reading is all let go.
TEST(Platform, GamepadsOpenAndNoPadReadsAsNone) {
    char problem[PLATFORM_PROBLEM_SIZE] = "";
    EXPECT_TRUE(platformOpenGamepads(problem, sizeof problem)) << problem;
    GamepadState pad;
    pad.connected = true;
    EXPECT_FALSE(platformReadGamepad(&pad));
    EXPECT_FALSE(pad.connected);
}
