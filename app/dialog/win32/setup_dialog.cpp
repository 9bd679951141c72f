// The set-up dialog as a Windows dialog: its buttons host or join (Enter and Escape are the
// system's OK and Cancel, ids 1 and 2), its close box also quits, and its list shows the
// games found on the network.
#include "app/dialog/setup_dialog.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "app/dialog/game_list.h"
#include "app/dialog/setup_commands.h"
#include "app/dialog/win32/controls_page_dialog.h"
#include "app/dialog/win32/demo_box.h"
#include "app/dialog/win32/dialog_controls.h"
#include "app/dialog/win32/dialog_template.h"
#include "demo/demo_file.h"
#include "net/net_session.h"
#include "step/bot_launcher.h"

namespace {
constexpr UINT_PTR POLL_TIMER       = 1;
constexpr UINT_PTR ANSWER_TIMER     = 2;
constexpr UINT DISCOVERY_ANSWER_MS  = 50; // while the host reads its "Server Info"
constexpr int PLAYERS_COLUMN        = 16; // dialog units: "8/8" and a gap
constexpr int ADDRESS_COLUMN        = 80; // "255.255.255.255:65535" and a gap
constexpr int LIST_BORDER           = 4;
constexpr const char* NO_DIALOG_BOX = "Voranis";

// What the dialog procedure works on; the dialog keeps a pointer to it.
struct DialogRun {
    GameSetup& setup;
    WorldState& world;
    NetSession& net;
    BotLauncher& bots;
    SetupOutcome outcome;
    ArenaList arenas;
    GameList games;
    bool listing; // looking for games, on the timer
};

DialogRun& runOf(HWND dialog) {
    return *reinterpret_cast<DialogRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

LRESULT sendList(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(dialog, ID_GAME_LIST, message, wParam, lParam);
}

// Every command reads the choices again.
void storeChoices(HWND dialog, DialogRun& run, ControlValues values) {
    readControls(dialog, values);
    controlsToSetup(values, run.arenas, run.setup);
}

void stopGameList(HWND dialog, DialogRun& run) {
    if (!run.listing) return;
    KillTimer(dialog, POLL_TIMER);
    closeGameList(run.games, run.net.browser);
    run.listing = false;
}

// The list redrawn only when the games changed, the chosen game kept chosen.
void pollGames(HWND dialog, DialogRun& run) {
    const int row   = static_cast<int>(sendList(dialog, LB_GETCURSEL, 0, 0));
    uint32_t chosen = 0;
    if (row >= 0 && row < run.games.count) chosen = run.games.shown[row].hostingId;
    if (!pollGameList(run.games, run.net.browser)) return;
    sendList(dialog, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < run.games.count; ++i) {
        char line[GAME_LINE_SIZE];
        gameLine(run.games.shown[i], line);
        sendList(dialog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    if (run.games.count == 0)
        sendList(dialog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(NO_GAMES_FOUND_TEXT));
    const int again = gameListRow(run.games, chosen);
    if (again >= 0) sendList(dialog, LB_SETCURSEL, static_cast<WPARAM>(again), 0);
}

// Name, players and address in columns; the address column is as wide as the widest one.
void startGameList(HWND dialog, DialogRun& run) {
    const int list     = controlIndex(ID_GAME_LIST);
    const int nameW    = SETUP_CONTROLS[list].w - PLAYERS_COLUMN - ADDRESS_COLUMN - LIST_BORDER;
    INT tabStops[]     = {nameW, nameW + PLAYERS_COLUMN};
    const WPARAM stops = sizeof tabStops / sizeof tabStops[0];
    sendList(dialog, LB_SETTABSTOPS, stops, reinterpret_cast<LPARAM>(tabStops));
    char reason[GAME_LIST_REASON_SIZE];
    if (!openGameList(run.games, run.net.browser, reason)) {
        sendList(dialog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(reason));
        return;
    }
    run.listing = true;
    pollGames(dialog, run);
    SetTimer(dialog, POLL_TIMER, GAME_LIST_POLL_MS, nullptr);
}

void initDialog(HWND dialog, DialogRun& run) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&run));
    ControlValues values;
    setupToControls(run.setup, run.arenas, values);
    writeControls(dialog, values, run.arenas);
    startGameList(dialog, run);
    // The address is what a joining player types, so the text cursor waits at its end.
    HWND address = GetDlgItem(dialog, ID_ADDRESS);
    SetFocus(address);
    const LRESULT end = SendMessageA(address, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(address, EM_SETSEL, static_cast<WPARAM>(end), end);
}

void createGame(HWND dialog, DialogRun& run) {
    ControlValues values;
    storeChoices(dialog, run, values);
    stopGameList(dialog, run); // the host answers on the discovery port from now on
    char address[NET_ADDRESS_TEXT_SIZE];
    if (!hostGame(run.net, run.setup, run.world, address, run.outcome.problem)) {
        run.outcome.hostFailed = true;
        EndDialog(dialog, ID_CREATE_GAME);
        return;
    }
    // The host reads out its own address for the others before it confirms; players on the
    // network can already find the game meanwhile.
    SetDlgItemTextA(dialog, ID_ADDRESS, address);
    UpdateWindow(dialog);
    SetTimer(dialog, ANSWER_TIMER, DISCOVERY_ANSWER_MS, nullptr);
    MessageBoxA(dialog, SERVER_INFO_TEXT, SERVER_INFO_TITLE, MB_OK);
    KillTimer(dialog, ANSWER_TIMER);
    startBots(run.bots, run.setup.bots, run.setup.botSkill, run.setup.port);
    EndDialog(dialog, ID_CREATE_GAME);
}

void joinGameCommand(HWND dialog, DialogRun& run) {
    ControlValues values;
    storeChoices(dialog, run, values);
    joinGame(run.net, run.setup, run.world, typedAddress(values));
    stopGameList(dialog, run);
    EndDialog(dialog, ID_JOIN_GAME);
}

// The recorded games; choosing one ends the dialog to watch it, without a network.
void showDemos(HWND dialog, DialogRun& run) {
    DemoList demos{};
    char folder[DEMO_PATH_BYTES], problem[DEMO_PROBLEM_SIZE];
    if (demoFolder(folder, problem, sizeof problem)) readDemoList(folder, &demos);
    if (!chooseDemo(dialog, demos, run.outcome.demo)) return;
    ControlValues values;
    storeChoices(dialog, run, values);
    stopGameList(dialog, run);
    EndDialog(dialog, ID_DEMOS);
}

// A click on a game puts its address in the box; a double click joins it.
void chooseGame(HWND dialog, DialogRun& run, WORD notification) {
    if (notification != LBN_SELCHANGE && notification != LBN_DBLCLK) return;
    const int row = static_cast<int>(sendList(dialog, LB_GETCURSEL, 0, 0));
    char address[GAME_ADDRESS_TEXT_SIZE];
    if (!gameListAddress(run.games, row, address)) return;
    SetDlgItemTextA(dialog, ID_ADDRESS, address);
    if (notification == LBN_DBLCLK) joinGameCommand(dialog, run);
}

// The desktop's button lies apart from the other three: one resolution is on, whichever.
void chooseResolution(HWND dialog, int id) {
    for (int r = 0; r < RESOLUTION_COUNT; ++r) {
        const int other = resolutionControlId(r);
        CheckDlgButton(dialog, other, other == id ? BST_CHECKED : BST_UNCHECKED);
    }
}

bool isResolution(int id) {
    for (int r = 0; r < RESOLUTION_COUNT; ++r)
        if (resolutionControlId(r) == id) return true;
    return false;
}

INT_PTR CALLBACK setupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initDialog(dialog, *reinterpret_cast<DialogRun*>(lParam));
        return FALSE; // the focus is placed already
    case WM_TIMER:
        if (wParam == POLL_TIMER && runOf(dialog).listing) pollGames(dialog, runOf(dialog));
        if (wParam == ANSWER_TIMER) answerGameSearches(runOf(dialog).net);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == ID_CREATE_GAME) {
            createGame(dialog, runOf(dialog));
        } else if (id == ID_JOIN_GAME) {
            joinGameCommand(dialog, runOf(dialog));
        } else if (id == ID_DEMOS) {
            showDemos(dialog, runOf(dialog));
        } else if (id == ID_GAME_LIST) {
            chooseGame(dialog, runOf(dialog), HIWORD(wParam));
        } else if (id == ID_CONTROLS && HIWORD(wParam) == BN_CLICKED) {
            runControlsPage(dialog, runOf(dialog).setup.controls); // the controls alone
        } else if (isResolution(id) && HIWORD(wParam) == BN_CLICKED) {
            chooseResolution(dialog, id);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    case WM_CLOSE:
        // The game quits once started; the system's own handling then joins, as Escape does.
        runOf(dialog).outcome.quit = true;
        return FALSE;
    default:
        return FALSE;
    }
}
} // namespace

SetupOutcome runSetupDialog(GameSetup& setup, WorldState& world, NetSession& net,
                            BotLauncher& bots) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    DialogRun run{setup,      world, net, bots, SetupOutcome{}, listArenas(ARENA_FOLDER),
                  GameList{}, false};
    DialogTemplate dialog;
    INT_PTR ended = -1;
    if (buildDialogTemplate(dialog)) {
        ended = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                        reinterpret_cast<LPCDLGTEMPLATEA>(dialog.words), nullptr,
                                        setupDialogProc, reinterpret_cast<LPARAM>(&run));
    }
    if (ended <= 0) {
        char text[NET_ENDING_TEXT_SIZE];
        std::snprintf(text, sizeof text,
                      "The set-up dialog cannot be shown (error %lu); start the game with --host "
                      "or --join ADDRESS instead.",
                      GetLastError());
        MessageBoxA(nullptr, text, NO_DIALOG_BOX, MB_OK | MB_ICONSTOP);
        run.outcome.quit = true;
    }
    return run.outcome;
}
