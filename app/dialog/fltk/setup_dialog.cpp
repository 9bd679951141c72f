// The set-up dialog on FLTK: its buttons host or join, its close box also quits, and its list
// shows the games found on the network.
#include "app/dialog/setup_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>

#include "app/dialog/fltk/controls_page_window.h"
#include "app/dialog/fltk/demo_box.h"
#include "app/dialog/fltk/fltk_game_list.h"
#include "app/dialog/fltk/server_info_box.h"
#include "app/dialog/fltk/setup_widgets.h"
#include "app/dialog/setup_commands.h"
#include "demo/demo_file.h"
#include "net/net_session.h"
#include "step/bot_launcher.h"

namespace {
constexpr const char* SETUP_SCHEME        = "gtk+";
constexpr double DISCOVERY_ANSWER_SECONDS = 0.05; // while the host reads its "Server Info"

// What the dialog's callbacks work on: its controls, the choices, the world and the
// game's network session.
struct DialogRun {
    SetupDialog dialog;
    GameSetup& setup;
    WorldState& world;
    NetSession& net;
    BotLauncher& bots;
    SetupOutcome outcome;
};

Fl_Input* addressBox(const SetupDialog& d) {
    return static_cast<Fl_Input*>(controlById(d, ID_ADDRESS));
}

// Every command reads the choices again.
void storeChoices(const SetupDialog& d, GameSetup& setup) {
    ControlValues values;
    readControls(d, values);
    controlsToSetup(values, d.arenas, setup);
}

void closeDialog(const DialogRun& run) {
    stopGameList(run.net.browser);
    run.dialog.window->hide();
}

void answerDiscovery(void* net) {
    answerGameSearches(*static_cast<NetSession*>(net));
    Fl::repeat_timeout(DISCOVERY_ANSWER_SECONDS, answerDiscovery, net);
}

void createGame(Fl_Widget*, void* data) {
    DialogRun& run       = *static_cast<DialogRun*>(data);
    const SetupDialog& d = run.dialog;
    storeChoices(d, run.setup);
    stopGameList(run.net.browser); // the host answers on the discovery port from now on
    char address[NET_ADDRESS_TEXT_SIZE];
    if (!hostGame(run.net, run.setup, run.world, address, run.outcome.problem)) {
        run.outcome.hostFailed = true;
        closeDialog(run);
        return;
    }
    // The host reads out its own address for the others before it confirms; players on the
    // network can already find the game meanwhile.
    addressBox(d)->value(address);
    Fl::flush();
    Fl::add_timeout(DISCOVERY_ANSWER_SECONDS, answerDiscovery, &run.net);
    showServerInfo(d.window);
    Fl::remove_timeout(answerDiscovery);
    startBots(run.bots, run.setup.bots, run.setup.botSkill, run.setup.port);
    closeDialog(run);
}

void joinGameCommand(Fl_Widget*, void* data) {
    DialogRun& run = *static_cast<DialogRun*>(data);
    storeChoices(run.dialog, run.setup);
    joinGame(run.net, run.setup, run.world, addressBox(run.dialog)->value());
    closeDialog(run);
}

// Escape and the close box both come here; the close box quits as well, and then joins
// with what the address box holds, as Escape does.
void closeBox(Fl_Widget* window, void* data) {
    if (Fl::event() == FL_CLOSE) static_cast<DialogRun*>(data)->outcome.quit = true;
    joinGameCommand(window, data);
}

// The page changes the controls alone; the other choices stay in the dialog.
void openControls(Fl_Widget*, void* data) {
    DialogRun& run = *static_cast<DialogRun*>(data);
    runControlsPage(run.dialog.window, run.setup.controls);
}

// The recorded games; choosing one ends the dialog to watch it, without a network.
void showDemos(Fl_Widget*, void* data) {
    DialogRun& run = *static_cast<DialogRun*>(data);
    DemoList demos{};
    char folder[DEMO_PATH_BYTES], problem[DEMO_PROBLEM_SIZE];
    if (demoFolder(folder, problem, sizeof problem)) readDemoList(folder, &demos);
    if (!chooseDemo(run.dialog.window, demos, run.outcome.demo)) return;
    storeChoices(run.dialog, run.setup);
    closeDialog(run);
}

// A click on a game puts its address in the box; a double click joins it.
void chooseGame(Fl_Widget* list, void* data) {
    const SetupDialog& d = static_cast<DialogRun*>(data)->dialog;
    char address[GAME_ADDRESS_TEXT_SIZE];
    if (!gameListAddress(static_cast<Fl_Hold_Browser*>(list)->value(), address)) return;
    addressBox(d)->value(address);
    if (Fl::event_clicks() > 0) joinGameCommand(list, data);
}
} // namespace

SetupOutcome runSetupDialog(GameSetup& setup, WorldState& world, NetSession& net,
                            BotLauncher& bots) {
    Fl::scheme(SETUP_SCHEME);
    DialogRun run{buildSetupDialog(setup), setup, world, net, bots, SetupOutcome{}};
    const SetupDialog& dialog = run.dialog;
    controlById(dialog, ID_CREATE_GAME)->callback(createGame, &run);
    controlById(dialog, ID_JOIN_GAME)->callback(joinGameCommand, &run);
    controlById(dialog, ID_GAME_LIST)->callback(chooseGame, &run);
    controlById(dialog, ID_CONTROLS)->callback(openControls, &run);
    controlById(dialog, ID_DEMOS)->callback(showDemos, &run);
    dialog.window->callback(closeBox, &run);

    dialog.window->show();
    startGameList(static_cast<Fl_Hold_Browser*>(controlById(dialog, ID_GAME_LIST)), net.browser);
    // The address is what a joining player types, so the text cursor waits at its end.
    Fl_Input* address = addressBox(dialog);
    address->take_focus();
    address->position(address->size());
    while (dialog.window->shown())
        Fl::wait();
    delete dialog.window;
    Fl::check(); // lets the display take the dialog away before the game window comes
    return run.outcome;
}
