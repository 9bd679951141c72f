// The game installed into a prefix: its files where the desktop and the game look for them;
// started from elsewhere, it finds its data beside its bin folder and hosts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/game_driver.h"
#include "tests/support/test_paths.h"

namespace {
namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
const fs::path ROOT = fs::temp_directory_path() / ("voranis-install-" + std::to_string(getpid()));
} // namespace

TEST(Install, TheInstalledGameHasItsFilesAndFindsItsDataFromAnywhere) {
    const std::string install = "cmake --install " + gameDir() + "/.. --prefix " + ROOT.string();
    ASSERT_EQ(std::system((install + " > /dev/null").c_str()), 0);
    for (const char* f : {"bin/voranis", "bin/voranis-bot", "share/man/man6/voranis.6",
                          "share/man/man6/voranis-bot.6",
                          "share/metainfo/net.voranis.Voranis.metainfo.xml"})
        EXPECT_TRUE(fs::is_regular_file(ROOT / f)) << f;
    long data = 0;
    for (const fs::directory_entry& f : fs::directory_iterator(gameDir())) {
        const fs::path name = f.path().filename();
        if (name == "voranis" || name == "voranis-bot") continue;
        EXPECT_TRUE(fileText(ROOT / "share/voranis" / name) == fileText(f.path())) << name;
        ++data;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(ROOT / "share/voranis"), {}), data);
    const std::string desktop = fileText(ROOT / "share/applications/voranis.desktop");
    EXPECT_NE(desktop.find("\nExec=voranis\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nIcon=voranis\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nExec=voranis --host\n"), std::string::npos) << "Host a game";
    const std::string icon = fileText(ROOT / "share/icons/hicolor/32x32/apps/voranis.png");
    EXPECT_EQ(icon.substr(1, 3), "PNG");
    EXPECT_EQ(icon.substr(16, 8), std::string("\0\0\0\x20\0\0\0\x20", 8)) << "32 x 32";

    GameDriver game;
    ASSERT_TRUE(game.start({
        {"--host",  "--window"},
        {         },
        "/", (ROOT / "bin/voranis").string()
    }));
    const unsigned long window = game.window("Voranis");
    ASSERT_NE(window, 0u) << game.errors();
    game.keys(window, "Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
    fs::remove_all(ROOT);
}
