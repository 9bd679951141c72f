// The real program as a player starts it, each case on a display of its own in a network
// namespace holding only loopback: the command line, every way the game ends with its exit
// code and the one line it writes, and the set-up dialog's list of games found.
#include <gtest/gtest.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/setup_dialog_layout.h"
#include "net/discovery_responder.h"
#include "tests/support/game_driver.h"
#include "tests/support/peer.h"
#include "tests/support/test_paths.h"

namespace {
namespace fs                       = std::filesystem;
constexpr const char* ERROR_TITLE  = "NETWORK ERROR";
constexpr const char* GAME_TITLE   = "Voranis";
constexpr const char* DIALOG_TITLE = "Voranis NetSetup";
constexpr int EXIT_USAGE           = 2;
constexpr int OK_ABOVE_BOTTOM      = 27; // the error box's OK button sits centred at its foot
constexpr int FIRST_LINE_BELOW_TOP = 10; // the list's frame and half a line of text
constexpr int QUERIES_ANSWERED     = 3;  // the list has read the first answer by the third

// clang-format off
struct CommandCase { std::vector<std::string> args; int code; const char* said; }; // said: on
const CommandCase COMMANDS[] = {                            // standard output for 0, else error
    {{"--help"},                           0,          "  --join ADDRESS       join the game"},
    {{"--version"},                        0,          "voranis 1."},
    {{"--bogus"},                          EXIT_USAGE, "voranis: unknown option \"--bogus\"\n"},
    {{"--port"},                           EXIT_USAGE, "voranis: --port wants a value\n"},
    {{"--port=70000"},                     EXIT_USAGE, "--port wants a number from 1 to 65535"},
    {{"--window=yes"},                     EXIT_USAGE, "voranis: --window takes no value\n"},
    {{"--resolution", "1x1"},              EXIT_USAGE, "--resolution wants 640x480, 800x600"},
    {{"--host", "--join", "1.2.3.4"},      EXIT_USAGE, "--host and --join exclude each other"},
};
// clang-format on

TEST(CommandLine, HelpAndVersionPrintAndWrongOptionsGetTheUsageOnStandardError) {
    for (const CommandCase& c : COMMANDS) {
        SCOPED_TRACE(c.args[0]);
        GameDriver game(false);
        ASSERT_TRUE(game.start({c.args}));
        EXPECT_EQ(game.exitCode(), c.code);
        const std::string told = c.code == 0 ? game.output() : game.errors();
        EXPECT_NE(told.find(c.said), std::string::npos) << told;
        if (c.code == 0) continue;
        EXPECT_EQ(game.output(), "");
        EXPECT_NE(told.find("Usage: voranis"), std::string::npos) << told;
    }
}

enum class Host { NONE, REFUSES, WELCOMES_AND_LEAVES, SILENT, HOLDS_PORT };
enum class Close { BOX_RETURN, BOX_OK, BOX_SPACE, ESCAPE, NOTHING };

struct Ending {
    const char* name;
    std::vector<std::string> args;
    Host host; // a loopback peer on port 2345
    Close close;
    int code;
    const char* said;            // in standard error, its one line (and the settings' warning)
    const char* prefs = nullptr; // remembered settings found at the start
    bool display      = true;    // a display to start on
    bool withShip     = true;    // the ship's model in the game folder
};

// The joins without --window play in full screen, where the box must come up over the game.
// clang-format off
const Ending ENDINGS[] = {
    {"ServerBusy",       {"--join", "127.0.0.1"},   Host::REFUSES, Close::BOX_RETURN, 1,
     "voranis: SERVER IS BUSSY ! The host at 127.0.0.1:2345 already has seven other players"},
    {"Refused",          {"--join", "127.0.0.1"},   Host::NONE,    Close::BOX_OK,     3,
     "voranis: TIMEOUT ERROR ! 127.0.0.1 refused the connection on TCP port 2345"},
    {"Incomplete",       {"--join", "192.168"},     Host::NONE,    Close::BOX_SPACE,  3,
     "voranis: TIMEOUT ERROR ! The address \"192.168\" is incomplete"},
    {"HostQuits",        {"--join", "127.0.0.1"},   Host::WELCOMES_AND_LEAVES, Close::BOX_RETURN, 4,
     "voranis: GLOBAL TIMEOUT. CONNECTION WITH THE SERVER IS LOST. The host at 127.0.0.1:2345 "
     "closed the connection"},
    {"PortTaken",        {"--host"},                Host::HOLDS_PORT, Close::BOX_RETURN, 1,
     "voranis: TCP port 2345 is in use"},
    {"EscapeConnecting", {"--join", "127.0.0.1"},   Host::SILENT,   Close::ESCAPE,    0, ""},
    {"DamagedSettings",  {"--join", "1.2", "--window"}, Host::NONE, Close::BOX_RETURN, 3,
     "voranis: the settings in ", "not the game's own\n"},
    {"NoShipModel",      {"--join", "1.2"},         Host::NONE,    Close::NOTHING,    1,
     "voranis: cannot read ship.wrl: No such file or directory", nullptr, true, false},
    {"NoDisplay",        {},                        Host::NONE,    Close::NOTHING,    1,
     "voranis: no display: DISPLAY is not set", nullptr, false},
};
// clang-format on

void PrintTo(const Ending& e, std::ostream* out) {
    *out << e.name;
}

class Endings : public ::testing::TestWithParam<Ending> {};

// The game folder without the ship's model; the folder holds the data marker, so the game
// reads from there.
std::string folderWithoutShip(const GameDriver& game) {
    const fs::path folder = game.folder() + "/data";
    fs::create_directories(folder);
    for (const fs::directory_entry& f : fs::directory_iterator(gameDir()))
        if (f.path().filename() != "ship.wrl")
            fs::create_symlink(f.path(), folder / f.path().filename());
    return folder.string();
}

void finish(GameDriver& game, Close close) {
    if (close == Close::NOTHING) return;
    const bool box =
        close == Close::BOX_RETURN || close == Close::BOX_OK || close == Close::BOX_SPACE;
    const unsigned long shown = game.window(box ? ERROR_TITLE : GAME_TITLE);
    ASSERT_NE(shown, 0u) << "no " << (box ? ERROR_TITLE : GAME_TITLE) << " window; the game said "
                         << game.errors();
    const ScreenRect r = game.windowRect(shown);
    if (close == Close::BOX_RETURN) game.keys(shown, "Return");
    if (close == Close::BOX_SPACE) game.keys(shown, "space");
    if (close == Close::BOX_OK) game.click(r.x + r.w / 2, r.y + r.h - OK_ABOVE_BOTTOM);
    if (close == Close::ESCAPE) game.keys(shown, "Escape");
}

TEST_P(Endings, EndWithTheirExitCodeAndOneLineSayingWhy) {
    const Ending& e = GetParam();
    GameDriver game(e.display);
    const int listener = e.host == Host::NONE ? -1 : listenAsHost();
    if (e.prefs) {
        fs::create_directories(game.configDir() + "/voranis");
        std::ofstream(game.configDir() + "/voranis/voranis.prefs") << e.prefs;
    }
    ASSERT_TRUE(game.start({e.args, {}, e.withShip ? "" : folderWithoutShip(game)}));
    Peer host;
    if (e.host != Host::NONE && e.host != Host::HOLDS_PORT) {
        host = acceptPeer(listener, DRIVER_WAIT_MS);
        ASSERT_GE(host.fd, 0) << "the game did not connect";
    }
    if (e.host == Host::REFUSES) host.sendRecord(serverFullRecord());
    if (e.host == Host::WELCOMES_AND_LEAVES) {
        host.sendRecord(welcomeRecord(1));
        host = Peer{};
    }
    finish(game, e.close);
    EXPECT_EQ(game.exitCode(), e.code);
    const std::string said = game.errors();
    EXPECT_NE(said.find(e.said), std::string::npos) << said;
    const long lines = (*e.said ? 1 : 0) + (e.prefs ? 1 : 0);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), lines) << said;
    if (listener >= 0) close(listener);
}

INSTANTIATE_TEST_SUITE_P(Program, Endings, ::testing::ValuesIn(ENDINGS),
                         [](const auto& info) { return std::string(info.param.name); });

uint32_t nowMs() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// A host on loopback that answers the dialog's queries; the dialog's list shows it, and a
// click on it fills the address (Escape then joins that), or a double click joins at once.
class GamesList : public ::testing::TestWithParam<int> {};

TEST_P(GamesList, AGameFoundIsJoinedFromTheList) {
    char reason[DISCOVERY_REASON_SIZE];
    ASSERT_TRUE(discoveryServeOpen(DISCOVERY_PORT, reason, sizeof reason)) << reason;
    const int listener = listenAsHost();
    GameDriver game;
    ASSERT_TRUE(game.start());
    const unsigned long dialog = game.window(DIALOG_TITLE);
    ASSERT_NE(dialog, 0u) << game.errors();
    pollfd query{datagramDescriptor(discoveryServeSocket()), POLLIN, 0};
    for (int heard = 0; heard < QUERIES_ANSWERED; ++heard) {
        ASSERT_EQ(poll(&query, 1, DRIVER_WAIT_MS), 1) << "the dialog does not look for games";
        discoveryServe(nowMs(), "test-host", "0", 2, GAME_PORT);
    }
    const ControlTemplate* list =
        std::find_if(SETUP_CONTROLS, SETUP_CONTROLS + SETUP_CONTROL_COUNT,
                     [](const ControlTemplate& c) { return c.id == ID_GAME_LIST; });
    const ScreenRect r = game.windowRect(dialog);
    game.click(r.x + r.w * (list->x + list->w / 4) / SETUP_DIALOG_W,
               r.y + r.h * list->y / SETUP_DIALOG_H + FIRST_LINE_BELOW_TOP, 1, GetParam());
    if (GetParam() == 1) game.keys(dialog, "Escape");
    EXPECT_GE(acceptPeer(listener, DRIVER_WAIT_MS).fd, 0) << "the game did not join the game found";
    discoveryServeClose();
    close(listener);
}

INSTANTIATE_TEST_SUITE_P(Program, GamesList, ::testing::Values(1, 2), [](const auto& info) {
    return info.param == 1 ? "Click" : "DoubleClick";
});
} // namespace
