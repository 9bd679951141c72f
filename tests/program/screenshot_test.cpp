// F12 in the real game: a folder that cannot be made costs one line while the game plays on,
// and the PNG file then holds the window's pixels as shown.
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

// The first file in the folder that decodes whole, and its name.
DecodedPng savedShot(const fs::path& folder, std::string* name, uint32_t waitMs) {
    for (const uint32_t start = steadyMs(); steadyMs() - start < waitMs; usleep(POLL_US)) {
        std::error_code missing;
        for (const fs::directory_entry& f : fs::directory_iterator(folder, missing)) {
            const std::string bytes = fileText(f.path());
            *name                   = f.path().filename().string();
            DecodedPng shot = decodePng(std::vector<uint8_t>(bytes.begin(), bytes.end()), 3);
            if (!shot.pixels.empty()) return shot;
        }
    }
    return {};
}
} // namespace

// Hosting in a window that draws a frame a second, so that the shot's frame stays on the
// screen while the test reads it.
TEST(Screenshot, AFolderNotMadeIsOneLineThenF12SavesTheWindowAsShownUnderItsDateAndTime) {
    GameDriver game;
    std::ofstream(game.dataDir()) << "a file where the folder would go\n";
    setenv("VORANIS_SLOW_DRAW_MS", std::to_string(SHOWN_FOR_MS).c_str(), 1);
    ASSERT_TRUE(game.start({"--host", "--window", "--resolution", "640x480"}));
    unsetenv("VORANIS_SLOW_DRAW_MS");
    const unsigned long window = game.window("Voranis");
    ASSERT_NE(window, 0u) << game.errors();
    game.keys(window, "F12");
    const std::string line = "voranis: screenshot not saved: could not make the folder " +
                             game.dataDir() + ": File exists\n";
    const uint32_t slowness = uint32_t(game.slowness());
    for (const uint32_t start = steadyMs(); game.errors().find(line) == std::string::npos &&
                                            steadyMs() - start < DRIVER_WAIT_MS * slowness;)
        usleep(POLL_US);
    EXPECT_NE(game.errors().find(line), std::string::npos) << game.errors();

    fs::remove(game.dataDir());
    game.keys(window, "F12");
    std::string name;
    const DecodedPng shot =
        savedShot(game.dataDir() + "/voranis/screenshots", &name, DRIVER_WAIT_MS * slowness);
    ASSERT_FALSE(shot.pixels.empty()) << game.errors();
    EXPECT_TRUE(
        std::regex_match(name, std::regex("voranis-\\d{4}(-\\d\\d){2}_\\d\\d(-\\d\\d){2}\\.png")))
        << name;
    // Shown from just after the file is written until the next frame adds the notice.
    Picture shown;
    for (const uint32_t start = steadyMs();
         shown.rgb != shot.pixels && steadyMs() - start < SHOWN_FOR_MS * slowness;)
        shown = game.screenshot(window);
    EXPECT_EQ(shot.width, shown.width);
    EXPECT_EQ(shot.height, shown.height);
    EXPECT_TRUE(shown.rgb == shot.pixels);
    game.keys(window, "Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
}
