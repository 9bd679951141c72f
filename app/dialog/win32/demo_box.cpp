// The recorded games' box: a list in columns at the table's tab stops, modal over the dialog.
#include "app/dialog/win32/demo_box.h"

#include <cstdio>

#include "app/dialog/win32/dialog_template.h"

namespace {
constexpr int DEMO_BOX_X = 20; // dialog units over the set-up dialog's corner
constexpr int DEMO_BOX_Y = 20;

struct DemoBoxRun {
    const DemoList& demos;
    int chosen; // the entry chosen, -1 while none
};

void fillList(HWND box, const DemoList& demos) {
    const INT stops[] = {DEMO_LIST_DATE_COLUMN, DEMO_LIST_PLAYERS_COLUMN, DEMO_LIST_LENGTH_COLUMN};
    SendDlgItemMessageA(box, ID_DEMO_LIST, LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(stops));
    for (int i = 0; i < demos.count; ++i) {
        char line[DEMO_LINE_SIZE];
        demoListLine(demos.entry[i], line);
        SendDlgItemMessageA(box, ID_DEMO_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    if (demos.count == 0)
        SendDlgItemMessageA(box, ID_DEMO_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(NO_DEMOS_TEXT));
    SendDlgItemMessageA(box, ID_DEMO_LIST, LB_SETCURSEL, 0, 0);
}

void play(HWND box, DemoBoxRun& run) {
    const int row = static_cast<int>(SendDlgItemMessageA(box, ID_DEMO_LIST, LB_GETCURSEL, 0, 0));
    if (row < 0 || row >= run.demos.count) return;
    run.chosen = row;
    EndDialog(box, ID_CREATE_GAME);
}

INT_PTR CALLBACK demoBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    DemoBoxRun* run = reinterpret_cast<DemoBoxRun*>(GetWindowLongPtrA(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(box, DWLP_USER, lParam);
        fillList(box, reinterpret_cast<DemoBoxRun*>(lParam)->demos);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_CREATE_GAME ||
            (LOWORD(wParam) == ID_DEMO_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
            play(box, *run);
        } else if (LOWORD(wParam) == ID_JOIN_GAME) {
            EndDialog(box, ID_JOIN_GAME);
        } else {
            return FALSE;
        }
        return TRUE;
    case WM_CLOSE:
        EndDialog(box, ID_JOIN_GAME);
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

bool chooseDemo(HWND owner, const DemoList& demos, char path[DEMO_PATH_BYTES]) {
    DialogTemplate box;
    if (!buildBoxTemplate(box, DialogBox{DEMO_BOX_CONTROLS, DEMO_BOX_CONTROL_COUNT, DEMO_BOX_TITLE,
                                         DEMO_BOX_X, DEMO_BOX_Y, DEMO_BOX_W, DEMO_BOX_H}))
        return false;
    DemoBoxRun run{demos, -1};
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(box.words),
                            owner, demoBoxProc, reinterpret_cast<LPARAM>(&run));
    if (run.chosen < 0) return false;
    std::snprintf(path, DEMO_PATH_BYTES, "%s", demos.entry[run.chosen].path);
    return true;
}
