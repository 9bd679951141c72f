// Check boxes and radio buttons by their state, edit boxes by their text, spinners through
// their arrows, choices by their entry.
#include "app/dialog/win32/dialog_controls.h"

#include <commctrl.h>

#include "app/dialog/win32/dialog_template.h"

namespace {
constexpr int SPINNER_DIGITS = 3;

LRESULT send(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}
} // namespace

void writeControls(HWND dialog, const ControlValues values, const ArenaList& arenas) {
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        const ControlTemplate& c = SETUP_CONTROLS[i];
        const ControlValue& v    = values[i];
        switch (c.kind) {
        case ControlKind::CHECK_BOX:
        case ControlKind::RADIO:
            CheckDlgButton(dialog, c.id, v.number ? BST_CHECKED : BST_UNCHECKED);
            break;
        case ControlKind::EDIT:
            send(dialog, c.id, EM_LIMITTEXT, static_cast<WPARAM>(editMaxChars(c.id)), 0);
            SetDlgItemTextA(dialog, c.id, v.text);
            break;
        case ControlKind::SPINNER:
            send(dialog, c.id, EM_LIMITTEXT, SPINNER_DIGITS, 0);
            send(dialog, c.id + UPDOWN_ID_OFFSET, UDM_SETRANGE32, 0, spinnerHighest(c.id));
            send(dialog, c.id + UPDOWN_ID_OFFSET, UDM_SETPOS32, 0, v.number);
            break;
        case ControlKind::CHOICE: {
            const char* entries[CHOICE_ENTRY_MAX];
            const int count = choiceEntries(c.id, arenas, entries);
            for (int k = 0; k < count; ++k)
                send(dialog, c.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[k]));
            send(dialog, c.id, CB_SETCURSEL, static_cast<WPARAM>(v.number), 0);
            break;
        }
        default:
            break;
        }
    }
}

void readControls(HWND dialog, ControlValues values) {
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        const ControlTemplate& c = SETUP_CONTROLS[i];
        ControlValue& v          = values[i];
        v.number                 = 0;
        v.text[0]                = '\0';
        switch (c.kind) {
        case ControlKind::CHECK_BOX:
        case ControlKind::RADIO:
            v.number = IsDlgButtonChecked(dialog, c.id) == BST_CHECKED;
            break;
        case ControlKind::EDIT:
            GetDlgItemTextA(dialog, c.id, v.text, sizeof v.text);
            break;
        case ControlKind::SPINNER: {
            BOOL unreadable = FALSE; // the arrows' own position then
            v.number = static_cast<int>(send(dialog, c.id + UPDOWN_ID_OFFSET, UDM_GETPOS32, 0,
                                             reinterpret_cast<LPARAM>(&unreadable)));
            break;
        }
        case ControlKind::CHOICE:
            v.number = static_cast<int>(send(dialog, c.id, CB_GETCURSEL, 0, 0));
            break;
        default:
            break;
        }
    }
}
