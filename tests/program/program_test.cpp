// The real program as a player starts it, each case on its own display and loopback-only
// network: the command line, every ending, the games list, the installed game.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/dialog/controls_page_layout.h"
#include "app/dialog/setup_dialog_layout.h"
#include "app/settings.h"
#include "net/discovery_responder.h"
#include "step/data_folder.h"
#include "tests/support/game_driver.h"
#include "tests/support/other_machine.h"
#include "tests/support/peer.h"
#include "tests/support/test_paths.h"

namespace {
namespace fs                   = std::filesystem;
constexpr int EXIT_USAGE       = 2;
constexpr int OK_ABOVE_BOTTOM  = 27; // the error box's OK button sits centred at its foot
constexpr int QUERIES_ANSWERED = 3;  // the list has read the first answer by the third

// clang-format off
struct CommandCase { std::vector<std::string> args; int code; const char* said; };
const CommandCase COMMANDS[] = {
    {{"--help"},                           0,          "  --join ADDRESS       join the game"},
    {{"--version"},                        0,          "voranis 1."},
    {{"--bogus"},                          EXIT_USAGE, "voranis: unknown option \"--bogus\"\n"},
    {{"--port"},                           EXIT_USAGE, "voranis: --port wants a value\n"},
    {{"--port=70000"},                     EXIT_USAGE, "--port wants a number from 1 to 65535"},
    {{"--resolution", "1x1"},              EXIT_USAGE, "--resolution wants desktop, or WxH"},
    {{"--host", "--join", "1.2.3.4"},      EXIT_USAGE, "--host and --join exclude each other"},
    {{"--bind", "jump=W"},                 EXIT_USAGE, "--bind: unknown action \"jump\""},
    {{"--bind=fire=Mouse Left,Foo"},       EXIT_USAGE, "--bind: unknown input \"Foo\""},
    {{"--sensitivity", "5.5"},             EXIT_USAGE, "--sensitivity wants a number from 0.10"},
    {{"--fov", "111"},                     EXIT_USAGE, "--fov wants a number from 50 to 110"},
    {{"--pad-dead-zone", "51"},            EXIT_USAGE, "--pad-dead-zone wants a number from 0 to 50"},
    {{"--verify"},                         EXIT_USAGE, "--verify wants --demo FILE"},
};
// clang-format on

TEST(CommandLine, HelpAndVersionPrintAndWrongOptionsGetTheUsageOnStandardError) {
    for (const CommandCase& c : COMMANDS) {
        SCOPED_TRACE(c.args[0]);
        GameDriver game(false);
        ASSERT_TRUE(game.start(c.args));
        EXPECT_EQ(game.exitCode(), c.code);
        const std::string told = c.code == 0 ? game.output() : game.errors();
        EXPECT_NE(told.find(c.said), std::string::npos) << told;
        EXPECT_TRUE(c.code == 0 ||
                    (game.output().empty() && told.find("Usage: voranis") != told.npos));
    }
}

enum class Host { NONE, REFUSES, WELCOMES_AND_LEAVES, SILENT, HOLDS_PORT }; // on port 2345

struct Ending {
    const char* name;
    std::vector<std::string> args;
    Host host;
    const char* close; // a key to the error box, "OK" clicked there, or Escape to the game
    int code;
    const char* said; // its one line in standard error
    const char* prefs = nullptr;
    bool display = true, withShip = true;
};

// Joins without --window play in full screen: the box must come up over the game.
// clang-format off
const Ending ENDINGS[] = {
    {"ServerBusy",       {"--join", "127.0.0.1"},   Host::REFUSES, "Return", 1,
     "voranis: SERVER IS BUSSY ! The host at 127.0.0.1:2345 already has seven other players"},
    {"Refused",          {"--join", "127.0.0.1"},   Host::NONE,    "OK",     3,
     "voranis: TIMEOUT ERROR ! 127.0.0.1 refused the connection on TCP port 2345"},
    {"Incomplete",       {"--join", "192.168"},     Host::NONE,    "space",  3,
     "voranis: TIMEOUT ERROR ! The address \"192.168\" is incomplete"},
    {"HostQuits",        {"--join", "127.0.0.1"},   Host::WELCOMES_AND_LEAVES, "Return", 4,
     "voranis: GLOBAL TIMEOUT. CONNECTION WITH THE SERVER IS LOST. The host at 127.0.0.1:2345 "
     "closed the connection"},
    {"PortTaken",        {"--host"},                Host::HOLDS_PORT, "Return", 1,
     "voranis: TCP port 2345 is in use"},
    {"EscapeConnecting", {"--join", "127.0.0.1"},   Host::SILENT,   "Escape", 0, ""},
    {"DamagedSettings",  {"--join", "1.2", "--window"}, Host::NONE, "Return", 3,
     "voranis: the settings in ", "not the game's own\n"},
    {"NoShipModel",      {"--join", "1.2"},         Host::NONE,    nullptr,  1,
     "voranis: cannot read ship.wrl: No such file or directory", nullptr, true, false},
    {"NoDisplay",        {},                        Host::NONE,    nullptr,  1,
     "voranis: no display: DISPLAY is not set", nullptr, false},
};
// clang-format on

class Endings : public ::testing::TestWithParam<Ending> {};

// The game folder without the ship's model (its data marker makes the game read there).
std::string folderWithoutShip(const GameDriver& game) {
    const fs::path folder = game.folder() + "/game-data";
    fs::create_directories(folder);
    for (const fs::directory_entry& f : fs::directory_iterator(gameDir()))
        if (f.path().filename() != "ship.wrl")
            fs::create_symlink(f.path(), folder / f.path().filename());
    return folder.string();
}

void finish(GameDriver& game, const std::string& close) {
    const char* title         = close == "Escape" ? "Voranis" : "NETWORK ERROR";
    const unsigned long shown = game.window(title);
    ASSERT_NE(shown, 0u) << title << ": " << game.errors();
    const ScreenRect r = game.windowRect(shown);
    if (close == "OK")
        game.click(r.x + r.w / 2, r.y + r.h - OK_ABOVE_BOTTOM);
    else
        game.keys(shown, close);
}

TEST_P(Endings, EndWithTheirExitCodeAndOneLineSayingWhy) {
    const Ending& e = GetParam();
    GameDriver game(e.display);
    const int listener = e.host == Host::NONE ? -1 : listenAsHost();
    if (e.prefs) {
        fs::create_directories(game.configDir() + "/voranis");
        std::ofstream(game.configDir() + "/voranis/voranis.prefs") << e.prefs;
    }
    ASSERT_TRUE(game.start(e.args, e.withShip ? "" : folderWithoutShip(game)));
    Peer host;
    if (e.host != Host::NONE && e.host != Host::HOLDS_PORT) {
        host = acceptPeer(listener, DRIVER_WAIT_MS);
        ASSERT_GE(host.fd, 0);
    }
    if (e.host == Host::REFUSES) host.sendRecord(serverFullRecord());
    if (e.host == Host::WELCOMES_AND_LEAVES) {
        host.sendRecord(welcomeRecord(1));
        host = Peer{};
    }
    if (e.close) finish(game, e.close);
    EXPECT_EQ(game.exitCode(), e.code);
    const std::string said = game.errors();
    EXPECT_NE(said.find(e.said), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), (*e.said ? 1 : 0) + (e.prefs ? 1 : 0));
    if (listener >= 0) close(listener);
}

INSTANTIATE_TEST_SUITE_P(Program, Endings, ::testing::ValuesIn(ENDINGS),
                         [](const auto& info) { return std::string(info.param.name); });

// A click on a found game's line fills the address (Escape then joins); a double click joins.
class GamesList : public ::testing::TestWithParam<int> {};

TEST_P(GamesList, AGameFoundIsJoinedFromTheList) {
    DiscoveryResponder responder;
    char reason[DISCOVERY_REASON_SIZE];
    ASSERT_TRUE(discoveryServeOpen(responder, DISCOVERY_PORT, reason, sizeof reason)) << reason;
    const int listener = listenAsHost();
    GameDriver game;
    ASSERT_TRUE(game.start());
    const unsigned long dialog = game.window("Voranis NetSetup");
    ASSERT_NE(dialog, 0u) << game.errors();
    pollfd query{datagramDescriptor(discoveryServeSocket(responder)), POLLIN, 0};
    for (int heard = 0; heard < QUERIES_ANSWERED; ++heard) {
        ASSERT_EQ(poll(&query, 1, DRIVER_WAIT_MS), 1); // the dialog looks for games
        discoveryServe(responder, steadyMs(), "test-host", "0", 2, GAME_PORT);
    }
    const ControlTemplate* list =
        std::find_if(SETUP_CONTROLS, SETUP_CONTROLS + SETUP_CONTROL_COUNT,
                     [](const ControlTemplate& c) { return c.id == ID_GAME_LIST; });
    const ScreenRect r = game.windowRect(dialog);
    game.click(r.x + r.w * (list->x + list->w / 4) / SETUP_DIALOG_W,
               r.y + r.h * list->y / SETUP_DIALOG_H + 10, GetParam());
    if (GetParam() == 1) game.keys(dialog, "Escape");
    EXPECT_GE(acceptPeer(listener, DRIVER_WAIT_MS).fd, 0);
    discoveryServeClose(responder);
    close(listener);
}

INSTANTIATE_TEST_SUITE_P(Program, GamesList, ::testing::Values(1, 2), [](const auto& info) {
    return info.param == 1 ? "Click" : "DoubleClick";
});

// The dialog's "Controls..." opens its page: W clicked into forward's second place and OK,
// then Escape joins (the first start's address is incomplete, the box saying so is closed),
// and the next start reads W.
TEST(ControlsPage, AKeyBoundThroughTheDialogIsRemembered) {
    GameDriver game;
    ASSERT_TRUE(game.start());
    const auto clickAt = [&](unsigned long window, const ControlTemplate& c, int w, int h) {
        const ScreenRect r = game.windowRect(window);
        game.click(r.x + r.w * (2 * c.x + c.w) / (2 * w), r.y + r.h * (2 * c.y + c.h) / (2 * h));
    };
    const unsigned long dialog = game.window(SETUP_TITLE);
    ASSERT_NE(dialog, 0u) << game.errors();
    clickAt(dialog, SETUP_CONTROLS[controlIndex(ID_CONTROLS)], SETUP_DIALOG_W, SETUP_DIALOG_H);
    const unsigned long page = game.window(CONTROLS_PAGE_TITLE);
    ASSERT_NE(page, 0u) << game.errors();
    const ControlsPageLayout layout = controlsPageLayout();
    const ControlTemplate* entry    = std::find_if(
           layout.control, layout.control + CONTROLS_PAGE_CONTROL_COUNT, [](const ControlTemplate& c) {
            return bindingEntry(c.id) == static_cast<int>(Action::FORWARD) * INPUTS_PER_ACTION + 1;
        });
    clickAt(page, *entry, CONTROLS_PAGE_W, CONTROLS_PAGE_H);
    game.keys(page, "w Return");
    game.keys(dialog, "Escape");
    finish(game, "space");
    EXPECT_EQ(game.exitCode(), 3) << game.errors();
    setenv("XDG_CONFIG_HOME", game.configDir().c_str(), 1);
    GameSetup remembered = startSetup();
    char problem[SETTINGS_PROBLEM_SIZE];
    EXPECT_TRUE(loadSettings(&remembered, problem)) << problem;
    EXPECT_EQ(remembered.controls.bindings[static_cast<int>(Action::FORWARD)][1], InputCode::W);
}

// Hosted through the dialog and turned (the ship spawns anywhere) until lit planets fill part
// of the view, then quit with Escape. VORANIS_SCREENSHOT names a file for that frame
// (scripts/update-screenshot); scripts/valgrind-run plays this game under memcheck.
TEST(Hosting, ThroughTheDialogLitPlanetsShowAndEscapeEndsWithZero) {
    GameDriver game;
    ASSERT_TRUE(game.start());
    for (const char* title : {"Voranis NetSetup", "Server Info"}) { // Return: Create Game, OK
        const unsigned long shown = game.window(title);
        ASSERT_NE(shown, 0u) << title << ": " << game.errors();
        game.keys(shown, "Return");
    }
    const auto lit = [](const Picture& f, int level) { // share of the view lit brighter
        int count = 0; // the rows above the overlay are the first three quarters of the pixels
        for (int i = 0; i < f.width * f.height * 3 / 4; ++i)
            count += *std::max_element(f.rgb.data() + 3 * i, f.rgb.data() + 3 * i + 3) > level;
        return f.width ? double(count) / (f.width * f.height * 3 / 4) : 0.0;
    };
    // Focused as a desktop's window manager would, the game takes the mouse for its look.
    const unsigned long window = game.window("Voranis");
    ASSERT_NE(window, 0u) << game.errors();
    game.xdo("windowfocus " + std::to_string(window));
    Picture f;
    // Rings of eight turns of 45 degrees: level, 30 and 60 degrees up, 30 and 60 down. Every view
    // is seen: after a turn, pictures until two new frames or 600 ms. Under a tool, whose
    // frames take seconds, six turns are played and the view is not judged.
    const int ringPitch[] = {-100, -100, 300, 100}; // pixels: 0.3 degrees each
    bool found            = false;
    int turn              = 0;
    for (const uint32_t start = steadyMs();
         turn < 40 / game.slowness() && !found && steadyMs() - start < 40000u * game.slowness();
         ++turn) {
        for (int changes = 0, look = 0; changes < 2 && look < 12 * game.slowness() && !found;
             ++look, usleep(50000)) {
            const Picture next = game.screenshot();
            changes += next.rgb != f.rgb;
            f     = next;
            found = lit(f, 5) > 0.15 && lit(f, 115) > 0.04; // drawn, and planets in view
        }
        const bool ringDone = turn % 8 == 7 && turn < 32;
        game.xdo("mousemove_relative -- " +
                 (ringDone ? "0 " + std::to_string(ringPitch[turn / 8]) : std::string("150 0")));
    }
    if (!found && game.slowness() == 1) savePicture(f, "hosting-last.ppm");
    ASSERT_TRUE(found || game.slowness() > 1)
        << "no planet in " << turn << " turns (the last picture: hosting-last.ppm in the test's "
        << "folder) " << game.errors();
    const char* keep = getenv("VORANIS_SCREENSHOT");
    EXPECT_TRUE(!keep || savePicture(f, keep));
    game.keys(window, "Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
}

// Drawing slowed to 40 ms a frame, the host still runs its 66.7 steps a second: a joined peer
// counts the host's state records for three seconds (the step accounting makes it exact on
// average; the bounds are wide). Under a tool the pace is the tool's, so it is not judged.
TEST(StepRate, HoldsWhileTheHostDrawsSlowly) {
    GameDriver game;
    setenv("VORANIS_SLOW_DRAW_MS", "40", 1);
    ASSERT_TRUE(game.start({"--host", "--window", "--resolution", "640x480"}));
    unsetenv("VORANIS_SLOW_DRAW_MS");
    ASSERT_NE(game.window("Voranis"), 0u) << game.errors();
    if (game.slowness() > 1) GTEST_SKIP() << "paced by the tool";
    Peer peer = connectPeer();
    Record r;
    ASSERT_TRUE(peer.receiveRecord(&r, DRIVER_WAIT_MS) && recordType(r) == WIRE_WELCOME);
    int states = 0;
    for (const uint32_t start = steadyMs(); steadyMs() - start < 3000u && peer.receiveRecord(&r);)
        states += recordType(r) == WIRE_STATE && recordSlot(r) == 0;
    EXPECT_GT(states, 55 * 3);
    EXPECT_LT(states, 75 * 3);
}

// The host's own ship where its newest state record puts it, the records of ms read.
WireState lastHostState(Peer& peer, uint32_t ms) {
    WireState last{};
    Record r;
    for (const uint32_t start = steadyMs(); steadyMs() - start < ms && peer.receiveRecord(&r);)
        if (recordType(r) == WIRE_STATE && recordSlot(r) == 0) last = readState(r);
    return last;
}

// Forward bound to W: holding W flies the host's ship, seen in its records on the wire;
// holding Up, which forward left, does nothing.
TEST(Controls, AReboundKeyMovesTheShipOnTheWire) {
    GameDriver game;
    ASSERT_TRUE(game.start({"--host", "--window", "--bind", "forward=W"}));
    const unsigned long window = game.window("Voranis");
    ASSERT_NE(window, 0u) << game.errors();
    Peer peer = connectPeer();
    Record r;
    ASSERT_TRUE(peer.receiveRecord(&r, DRIVER_WAIT_MS) && recordType(r) == WIRE_WELCOME);
    game.xdo("windowfocus --sync " + std::to_string(window));
    const auto heldFor = [&](const char* key) { // where a key held for a while takes the ship
        const WireState before = lastHostState(peer, 200);
        game.xdo(std::string("keydown ") + key + " sleep 0.4 keyup " + key);
        const WireState after = lastHostState(peer, 200);
        return std::hypot(after.pos[0] - before.pos[0], after.pos[1] - before.pos[1],
                          after.pos[2] - before.pos[2]);
    };
    EXPECT_EQ(heldFor("Up"), 0.0f);
    EXPECT_GT(heldFor("w"), 0.0f);
    game.keys(window, "Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
}

// A hosted game is recorded unless --no-record says not to (the whole-game test checks such
// demos).
TEST(Demos, AGameIsRecordedUnlessNoRecordIsGiven) {
    for (const bool record : {true, false}) {
        GameDriver game;
        std::vector<std::string> args{"--host", "--window"};
        if (!record) args.push_back("--no-record");
        ASSERT_TRUE(game.start(args));
        const unsigned long window = game.window("Voranis");
        ASSERT_NE(window, 0u) << game.errors();
        game.keys(window, "Escape");
        EXPECT_EQ(game.exitCode(), 0);
        const fs::path demos = game.folder() + "/data/voranis/demos";
        EXPECT_EQ(fs::exists(demos) ? std::distance(fs::directory_iterator(demos), {}) : 0,
                  record ? 1 : 0)
            << record;
    }
}

// Installed, its files lie where the desktop looks; started anywhere, it finds its data.
TEST(Install, TheInstalledGameHasItsFilesAndFindsItsDataFromAnywhere) {
    const fs::path root =
        fs::temp_directory_path() / ("voranis-install-" + std::to_string(getpid()));
    const std::string install = "cmake --install " + gameDir() + "/.. --prefix " + root.string();
    ASSERT_EQ(std::system((install + " > /dev/null").c_str()), 0);
    for (const char* f :
         {"bin/voranis", "bin/voranis-bot", "share/man/man6/voranis.6.gz",
          "share/man/man6/voranis-bot.6.gz", "share/metainfo/net.voranis.voranis.metainfo.xml",
          "share/doc/voranis/copyright"})
        EXPECT_TRUE(fs::is_regular_file(root / f)) << f;
    for (const fs::directory_entry& f : fs::directory_iterator(gameDir())) // the data, as built
        EXPECT_TRUE(f.path().filename().string().rfind("voranis", 0) == 0 ||
                    fileText(root / "share/voranis" / f.path().filename()) == fileText(f.path()))
            << f.path();
    const std::string desktop = fileText(root / "share/applications/voranis.desktop");
    for (const char* line : {"\nExec=voranis\n", "\nIcon=voranis\n", "\nExec=voranis --host\n"})
        EXPECT_NE(desktop.find(line), std::string::npos) << line; // the last: "Host a game"
    for (const int side : {32, 64, 128, 256}) { // a PNG of the size its folder names
        const std::string n = std::to_string(side), w = {0, 0, char(side >> 8), char(side)};
        const std::string icon =
            fileText(root / "share/icons/hicolor" / (n + "x" + n) / "apps/voranis.png");
        EXPECT_EQ(icon.substr(16, 8), w + w) << n;
    }
    GameDriver game;
    ASSERT_TRUE(game.start({"--host", "--window"}, "/", (root / "bin/voranis").string()));
    const unsigned long window = game.window("Voranis");
    ASSERT_NE(window, 0u) << game.errors();
    game.keys(window, "Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
    fs::remove_all(root);
}

// Installed the usual way the data lies beside bin/, packaged for Debian beside games/.
TEST(Install, EitherLayoutFindsItsData) {
    const fs::path root =
        fs::temp_directory_path() / ("voranis-layout-" + std::to_string(getpid()));
    const std::pair<const char*, const char*> layouts[] = {
        {"bin",   "share/voranis"      },
        {"games", "share/games/voranis"}
    };
    for (const auto& [programs, data] : layouts) {
        fs::remove_all(root);
        fs::create_directories(root / programs);
        fs::create_directories(root / data);
        std::ofstream(root / data / DATA_MARKER_FILE) << "\n";
        EXPECT_EQ(findDataFolder((root / programs).string() + "/"), (root / data).string());
    }
    fs::remove_all(root);
}
} // namespace
