// The real program under the test display, in a network namespace holding only loopback:
// the dialog's keys host and join, its close box quits, Escape and close end the game.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/app/program_driver.h"

namespace {
constexpr const char* DIALOG_TITLE = "Voranis NetSetup";
constexpr const char* INFO_TITLE   = "Server Info";
constexpr const char* GAME_TITLE   = "Voranis";
constexpr int SHORT_MS             = 5000;

// The address box has the keyboard at start; Tab goes on to "FullScreen mode".
constexpr const char* WINDOWED       = "key Tab space";
constexpr const char* SELECT_ALL     = "key ctrl+a";
constexpr const char* TYPE_LOOPBACK  = "type 127.0.0.1";
const uint8_t WELCOME_SLOT_1_HEAD[8] = {0xF2, 0x03, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};

class RealGame : public ::testing::Test {
  protected:
    virtual const char* extraEnv() const { return nullptr; }
    virtual const char* workDir() { return nullptr; }
    void SetUp() override {
        keyboard = holdKeyboard();
        game     = startGame(extraEnv(), workDir());
        ASSERT_GT(game, 0);
        dialog = waitForWindow(DIALOG_TITLE, game, PROGRAM_TIMEOUT_MS);
        ASSERT_NE(dialog, 0u) << "no set-up dialog";
    }
    void TearDown() override {
        if (game > 0 && exitCode == NOT_WAITED) waitForExit(game, 0);
        for (int s : sockets)
            close(s);
        releaseKeyboard(keyboard);
    }
    int track(int socket) {
        if (socket >= 0) sockets.push_back(socket);
        return socket;
    }
    void typeLoopbackWindowed() {
        typeInto(dialog, SELECT_ALL);
        typeInto(dialog, TYPE_LOOPBACK);
        typeInto(dialog, WINDOWED);
    }
    int exitCodeWithin(int ms) { return exitCode = waitForExit(game, ms); }

    static constexpr int NOT_WAITED = -2;
    int keyboard                    = -1;
    pid_t game                      = -1;
    unsigned long dialog            = 0;
    int exitCode                    = NOT_WAITED;
    std::vector<int> sockets;
};
} // namespace

TEST_F(RealGame, EnterHostsAJoinerGetsItsWelcomeAndEscapeEndsWithZero) {
    typeInto(dialog, WINDOWED);
    typeInto(dialog, "key Return");
    unsigned long info = waitForWindow(INFO_TITLE, game, SHORT_MS);
    ASSERT_NE(info, 0u) << "no \"Server Info\" box";
    typeInto(info, "key Return");
    unsigned long window = waitForWindow(GAME_TITLE, game, PROGRAM_TIMEOUT_MS);
    ASSERT_NE(window, 0u) << "no game window";
    EXPECT_FALSE(windowExists(DIALOG_TITLE, game));

    int peer = track(connectToGame(SHORT_MS));
    ASSERT_GE(peer, 0) << "the host does not listen on 127.0.0.1:2345";
    uint8_t record[40] = {};
    EXPECT_TRUE(readRecord(peer, record, SHORT_MS)) << "no welcome";
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(record[i], WELCOME_SLOT_1_HEAD[i]) << "byte " << i;

    // Mouse look: the host's own state records show its ship turning to the right.
    typeInto(window, "mousemove_relative -- 100 0");
    float yaw = 0.0f, pitch = 0.0f;
    for (int n = 0; n < 1000 && yaw == 0.0f && readRecord(peer, record, SHORT_MS); ++n) {
        if (record[0] != 0xF5 || record[1] != 0x03 || record[4] != 0) continue; // host's state
        std::memcpy(&yaw, record + 28, 4);
        std::memcpy(&pitch, record + 32, 4);
    }
    EXPECT_GT(yaw, 0.0f) << "the mouse did not turn the ship";
    EXPECT_LT(yaw, 360.0f);
    EXPECT_EQ(pitch, 0.0f);

    typeInto(window, "key Escape");
    EXPECT_EQ(exitCodeWithin(SHORT_MS), 0);
}

TEST_F(RealGame, EscapeJoinsTheTypedAddressAndClosingTheWindowEndsWithZero) {
    int host = track(listenOnGamePort());
    ASSERT_GE(host, 0);
    typeLoopbackWindowed();
    typeInto(dialog, "key Escape");
    int joiner = track(acceptWithin(host, SHORT_MS));
    ASSERT_GE(joiner, 0) << "the game did not join 127.0.0.1:2345";
    uint8_t welcome[40] = {};
    for (int i = 0; i < 8; ++i)
        welcome[i] = WELCOME_SLOT_1_HEAD[i];
    ASSERT_TRUE(writeRecord(joiner, welcome));

    unsigned long window = waitForWindow(GAME_TITLE, game, PROGRAM_TIMEOUT_MS);
    ASSERT_NE(window, 0u) << "no game window";
    closeWindow(window);
    EXPECT_EQ(exitCodeWithin(SHORT_MS), 0);
}

// The close box quits and joins as well. Nobody welcomes the joiner: a frame would wait
// for the welcome and then fail, so a quick exit code 0 shows that no frame ran.
TEST_F(RealGame, DialogCloseBoxJoinsAndEndsWithZeroBeforeAnyFrame) {
    int host = track(listenOnGamePort());
    ASSERT_GE(host, 0);
    typeLoopbackWindowed();
    closeWindow(dialog);
    EXPECT_GE(track(acceptWithin(host, SHORT_MS)), 0) << "closing did not join";
    EXPECT_EQ(exitCodeWithin(SHORT_MS), 0);
}

// SDL's video driver without any display cannot give a window an OpenGL context.
class RealGameWithoutWindows : public RealGame {
  protected:
    const char* extraEnv() const override { return "SDL_VIDEODRIVER=dummy"; }
};

TEST_F(RealGameWithoutWindows, AGameWindowThatCannotBeMadeEndsWithOne) {
    typeInto(dialog, WINDOWED);
    typeInto(dialog, "key Return");
    unsigned long info = waitForWindow(INFO_TITLE, game, SHORT_MS);
    ASSERT_NE(info, 0u) << "no \"Server Info\" box";
    typeInto(info, "key Return");
    EXPECT_EQ(exitCodeWithin(SHORT_MS), 1);
}

// A game folder without the ship's model: the game names the file and ends with 1.
class RealGameWithoutShip : public RealGame {
  protected:
    const char* workDir() override {
        namespace fs = std::filesystem;
        folder       = fs::temp_directory_path() / ("voranis-no-ship-" + std::to_string(getpid()));
        fs::create_directories(folder);
        for (const fs::directory_entry& f : fs::directory_iterator(std::getenv("VORANIS_GAME_DIR")))
            if (f.path().filename() != "ship.wrl" && f.path().filename() != "voranis")
                fs::create_symlink(f.path(), folder / f.path().filename());
        return folder.c_str();
    }
    void TearDown() override {
        RealGame::TearDown();
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
};

TEST_F(RealGameWithoutShip, AMissingDataFileIsNamedAndEndsWithOne) {
    typeInto(dialog, WINDOWED);
    typeInto(dialog, "key Return");
    unsigned long info = waitForWindow(INFO_TITLE, game, SHORT_MS);
    ASSERT_NE(info, 0u) << "no \"Server Info\" box";
    typeInto(info, "key Return");
    EXPECT_EQ(exitCodeWithin(SHORT_MS), 1);
    std::ifstream errors(folder / "errors.txt");
    std::string said((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_EQ(said, "voranis: cannot read ship.wrl: No such file or directory\n");
}
