// The remembered settings, in a folder of the test's own: what is written is read back, a
// first start finds the start values, and a damaged file gives them too and names itself.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/settings.h"

namespace {
// FLTK passes over the first three lines.
constexpr const char* HEADER =
    "; FLTK preferences file format 1.0\n; vendor: voranis\n; application: voranis\n[.]\n";

bool same(const GameSetup& a, const GameSetup& b) {
    return a.resolutionIndex == b.resolutionIndex && a.fullScreen == b.fullScreen &&
           a.soundEnabled == b.soundEnabled && std::string(a.address) == b.address &&
           std::string(a.name) == b.name && a.bots == b.bots && a.botSkill == b.botSkill;
}
} // namespace

TEST(Settings, WrittenComeBackAndFirstOrDamagedGiveTheStartValues) {
    const std::string folder = "/tmp/voranis-settings-" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    char problem[SETTINGS_PROBLEM_SIZE] = {};
    GameSetup loaded                    = startSetup();
    EXPECT_TRUE(loadSettings(&loaded, problem)) << "a first start";
    EXPECT_TRUE(same(loaded, startSetup()));
    GameSetup chosen = {0, 2, 0, 1, 2345, "10.0.0.7:2400", "Ace", 7, 3};
    ASSERT_TRUE(saveSettings(chosen, problem)) << problem;
    EXPECT_TRUE(loadSettings(&loaded, problem)) << problem;
    EXPECT_TRUE(same(loaded, chosen));
    const std::string damaged[] = {"resolution:1\n", // not a file the game wrote
                                   "resolution:3\n", "resolution:-2\n",        "fullscreen:2\n",
                                   "sound:5\n",      "address:10.0.0.1\\001\n",
                                   "bots:8\n",       "skill:0\n",
                                   "name:A\\033B\n"};
    for (const std::string& line : damaged) {
        std::ofstream(settingsFolder() + "/voranis.prefs")
            << (&line == damaged ? "" : HEADER) << line;
        loaded = startSetup();
        EXPECT_FALSE(loadSettings(&loaded, problem)) << line;
        EXPECT_TRUE(same(loaded, startSetup())) << line;
        EXPECT_NE(std::string(problem).find(settingsFolder() + "/voranis.prefs are damaged"),
                  std::string::npos)
            << problem;
    }
    std::filesystem::remove_all(folder);
}
