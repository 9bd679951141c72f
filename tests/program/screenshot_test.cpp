// F12 in the real game: the PNG file holds the window's pixels as shown, and a folder that
// cannot be made costs one line while the game plays on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "tests/png/png_decode.h"
#include "tests/support/game_driver.h"
#include "tests/support/other_machine.h"

namespace {
namespace fs               = std::filesystem;
constexpr int POLL_US      = 20000;
constexpr int SHOWN_FOR_MS = 1000; // each frame stays on the screen so long

// Hosting in a window that draws one frame a second, so the shot's frame stays on the screen
// while the test reads it; F12 pressed once the window shows.
unsigned long hostAndPressF12(GameDriver& game) {
    setenv("VORANIS_SLOW_DRAW_MS", std::to_string(SHOWN_FOR_MS).c_str(), 1);
    const bool started = game.start({"--host", "--window", "--resolution", "640x480"});
    unsetenv("VORANIS_SLOW_DRAW_MS");
    const unsigned long window = started ? game.window("Voranis") : 0;
    if (window) game.keys(window, "F12");
    return window;
}

// The first file in the folder that decodes whole, as RGB, and its name.
Picture savedShot(const fs::path& folder, std::string* name, uint32_t waitMs) {
    for (const uint32_t start = steadyMs(); steadyMs() - start < waitMs; usleep(POLL_US)) {
        std::error_code missing;
        for (const fs::directory_entry& f : fs::directory_iterator(folder, missing)) {
            const std::string bytes = fileText(f.path());
            const DecodedPng png    = decodePng(std::vector<uint8_t>(bytes.begin(), bytes.end()));
            if (png.rgba.empty()) continue;
            Picture shot{png.width, png.height, {}};
            for (size_t at = 0; at < png.rgba.size(); at += 4)
                shot.rgb.insert(shot.rgb.end(), png.rgba.begin() + at, png.rgba.begin() + at + 3);
            *name = f.path().filename().string();
            return shot;
        }
    }
    return {};
}

Picture windowPixels(GameDriver& game, const ScreenRect& r) {
    const Picture screen = game.screenshot();
    Picture window{r.w, r.h, {}};
    for (int y = r.y; y < r.y + r.h && screen.width >= r.x + r.w && y < screen.height; ++y)
        window.rgb.insert(window.rgb.end(), screen.at(r.x, y), screen.at(r.x, y) + 3 * r.w);
    return window;
}

bool sameRgb(const Picture& a, const Picture& b) {
    return a.rgb == b.rgb;
}
} // namespace

TEST(Screenshot, F12SavesTheWindowAsShownUnderItsDateAndTime) {
    GameDriver game;
    const unsigned long window = hostAndPressF12(game);
    ASSERT_NE(window, 0u) << game.errors();
    std::string name;
    const uint32_t waitMs = DRIVER_WAIT_MS * uint32_t(game.slowness());
    const Picture shot    = savedShot(game.dataDir() + "/voranis/screenshots", &name, waitMs);
    ASSERT_FALSE(shot.rgb.empty()) << game.errors();
    const std::regex dated("voranis-\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d\\.png");
    EXPECT_TRUE(std::regex_match(name, dated)) << name;
    // The shot's frame is on the screen from the moment after the file is written until the
    // next frame, which adds the notice; so the window shows the shot exactly once.
    const ScreenRect r = game.windowRect(window);
    Picture shown;
    for (const uint32_t start = steadyMs();
         !sameRgb(shown, shot) && steadyMs() - start < SHOWN_FOR_MS * uint32_t(game.slowness());)
        shown = windowPixels(game, r);
    EXPECT_EQ(shot.width, r.w);
    EXPECT_EQ(shot.height, r.h);
    EXPECT_TRUE(sameRgb(shown, shot));
    game.keys(window, "Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
}

TEST(Screenshot, AFolderThatCannotBeMadeIsOneLineAndTheGamePlaysOn) {
    GameDriver game;
    std::ofstream(game.dataDir()) << "a file where the folder would go\n";
    const unsigned long window = hostAndPressF12(game);
    ASSERT_NE(window, 0u) << game.errors();
    const std::string line = "voranis: screenshot not saved: could not make the folder " +
                             game.dataDir() + ": File exists\n";
    for (const uint32_t start = steadyMs();
         game.errors().find(line) == std::string::npos &&
         steadyMs() - start < DRIVER_WAIT_MS * uint32_t(game.slowness());)
        usleep(POLL_US);
    EXPECT_NE(game.errors().find(line), std::string::npos) << game.errors();
    game.keys(window, "Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
}
