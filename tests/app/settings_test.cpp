// The remembered settings in a folder of the test's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/settings.h"

TEST(Settings, WrittenComeBackAndFirstOrDamagedGiveTheStartValues) {
    const std::string folder = "/tmp/voranis-settings-" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    const auto same = [](const GameSetup& a, const GameSetup& b) {
        return a.resolutionIndex == b.resolutionIndex && a.fullScreen == b.fullScreen &&
               a.soundEnabled == b.soundEnabled && std::string(a.address) == b.address &&
               std::string(a.name) == b.name && a.bots == b.bots && a.botSkill == b.botSkill &&
               a.scoreLimit == b.scoreLimit && a.timeLimitMinutes == b.timeLimitMinutes &&
               std::string(a.arena) == b.arena;
    };
    char problem[SETTINGS_PROBLEM_SIZE] = {};
    GameSetup loaded                    = startSetup();
    EXPECT_TRUE(loadSettings(&loaded, problem) && same(loaded, startSetup())) << "a first start";
    GameSetup chosen = {0, 2, 0, 1, 2345, "10.0.0.7:2400", "Ace", 7, 3, 0, 25, "halo", 0, 0};
    ASSERT_TRUE(saveSettings(chosen, problem)) << problem;
    EXPECT_TRUE(loadSettings(&loaded, problem) && same(loaded, chosen)) << problem;
    // FLTK passes over a header's first three lines; the first file has none.
    const char* header =
        "; FLTK preferences file format 1.0\n; vendor: voranis\n; application: voranis\n[.]\n";
    const char* damaged[] = {"resolution:1",     "resolution:4",  "resolution:-2",
                             "fullscreen:2",     "sound:5",       "address:10.0.0.1\\001",
                             "bots:8",           "skill:0",       "name:A\\033B",
                             "score_limit:1000", "time_limit:-2", "arena:a/b"};
    for (const char* line : damaged) {
        std::ofstream(settingsFolder() + "/voranis.prefs")
            << (line == *damaged ? "" : header) << line << "\n";
        loaded = startSetup();
        EXPECT_TRUE(!loadSettings(&loaded, problem) && same(loaded, startSetup())) << line;
        EXPECT_NE(std::string(problem).find(settingsFolder() + "/voranis.prefs are damaged"),
                  std::string::npos)
            << problem;
    }
    std::filesystem::remove_all(folder);
}
