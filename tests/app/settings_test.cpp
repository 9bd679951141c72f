// The remembered settings in a folder of the test's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/settings.h"

namespace {
const char* const HEADER =
    "; FLTK preferences file format 1.0\n; vendor: voranis\n; application: voranis\n[.]\n";

bool sameControls(const ControlSettings& a, const ControlSettings& b) {
    return a.sensitivity == b.sensitivity && a.invertPitch == b.invertPitch &&
           a.fovDegrees == b.fovDegrees &&
           std::memcmp(a.bindings, b.bindings, sizeof a.bindings) == 0;
}

ControlSettings boundOver(std::initializer_list<const char*> binds) {
    ControlSettings c;
    char problem[CONTROLS_PROBLEM_SIZE];
    for (const char* bind : binds)
        EXPECT_TRUE(parseBinding(c, bind, problem)) << problem;
    return c;
}
} // namespace

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
    GameSetup chosen = {0, 2, 0, 1, 2345, "10.0.0.7:2400", "Ace", 7, 3, 0, 25, "halo", 0, 0, {}};
    ASSERT_TRUE(saveSettings(chosen, problem)) << problem;
    EXPECT_TRUE(loadSettings(&loaded, problem) && same(loaded, chosen)) << problem;
    // FLTK passes over a header's first three lines; the first file has none.
    const char* header    = HEADER;
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

// The controls come back as chosen; a damaged entry alone takes its default, named in one
// line, while the others still count.
TEST(Settings, ControlsComeBackAndADamagedEntryAloneTakesItsDefault) {
    const std::string folder = "/tmp/voranis-controls-" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    char problem[SETTINGS_PROBLEM_SIZE] = {};
    GameSetup chosen                    = startSetup();
    chosen.controls = boundOver({"forward=W,Up", "vertical=Space", "fire=Mouse X2,Left Ctrl"});
    chosen.controls.sensitivity = 2.5f;
    chosen.controls.invertPitch = true;
    chosen.controls.fovDegrees  = 90;
    ASSERT_TRUE(saveSettings(chosen, problem)) << problem;
    GameSetup loaded = startSetup();
    EXPECT_TRUE(loadSettings(&loaded, problem)) << problem;
    EXPECT_TRUE(sameControls(loaded.controls, chosen.controls));
    const struct {
        const char* line;
        const char* key;
    } DAMAGED[] = {
        {"sensitivity:5.01", "sensitivity" },
        {"sensitivity:1,5",  "sensitivity" },
        {"invert_pitch:2",   "invert_pitch"},
        {"fov:49",           "fov"         },
        {"fire:Mouse Nine",  "fire"        },
        {"fire:F12",         "fire"        },
        {"forward:W,A,S",    "forward"     }
    };
    for (const auto& d : DAMAGED) {
        SCOPED_TRACE(d.line);
        std::ofstream(settingsFolder() + "/voranis.prefs") << HEADER << "chat:Y\n"
                                                           << d.line << "\n";
        loaded = startSetup();
        EXPECT_FALSE(loadSettings(&loaded, problem));
        EXPECT_NE(std::string(problem).find(std::string("a damaged ") + d.key + ";"),
                  std::string::npos)
            << problem;
        EXPECT_TRUE(sameControls(loaded.controls, boundOver({"chat=Y"})));
    }
    std::filesystem::remove_all(folder);
}
