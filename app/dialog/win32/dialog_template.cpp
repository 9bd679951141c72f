// An in-memory DLGTEMPLATE and its DLGITEMTEMPLATEs: words written one after the other, each
// control starting on a double word, texts in UTF-16.
#include "app/dialog/win32/dialog_template.h"

#include <commctrl.h>

#include "app/dialog/setup_dialog_layout.h"

namespace {
constexpr WORD ORDINAL_CLASS   = 0xFFFF; // a predefined class follows as its atom
constexpr WORD BUTTON_CLASS    = 0x0080;
constexpr WORD EDIT_CLASS      = 0x0081;
constexpr WORD STATIC_CLASS    = 0x0082;
constexpr WORD LIST_BOX_CLASS  = 0x0083;
constexpr WORD COMBO_BOX_CLASS = 0x0085;
constexpr int UPDOWN_WIDTH     = 10; // dialog units; it sits inside its field's right end
constexpr int CHOICE_DROP_H    = 80; // dialog units: a choice's list when it drops down
constexpr DWORD DIALOG_STYLE   = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct Writer {
    DialogTemplate& out;
    bool full;

    void word(WORD w) {
        if (out.used >= DIALOG_TEMPLATE_WORDS) {
            full = true;
            return;
        }
        out.words[out.used++] = w;
    }
    void dword(DWORD d) {
        word(LOWORD(d));
        word(HIWORD(d));
    }
    void text(const char* s) { // the table's texts are ASCII
        for (; *s; ++s)
            word(static_cast<unsigned char>(*s));
        word(0);
    }
    void alignDword() {
        if (out.used % 2 != 0) word(0);
    }
};

struct ItemClass {
    DWORD style;
    WORD atom;
};

// How each kind of control shows on Windows; tab stops as in the original dialog.
ItemClass itemClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::DEFAULT_BUTTON:
        return {BS_DEFPUSHBUTTON | WS_TABSTOP, BUTTON_CLASS};
    case ControlKind::BUTTON:
        return {BS_PUSHBUTTON | WS_TABSTOP, BUTTON_CLASS};
    case ControlKind::EDIT:
        return {WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, EDIT_CLASS};
    case ControlKind::STATIC:
        return {SS_LEFT, STATIC_CLASS};
    case ControlKind::GROUP_BOX:
        return {BS_GROUPBOX, BUTTON_CLASS};
    case ControlKind::CHECK_BOX:
        return {BS_AUTOCHECKBOX | WS_TABSTOP, BUTTON_CLASS};
    case ControlKind::RADIO:
        return {BS_AUTORADIOBUTTON, BUTTON_CLASS};
    case ControlKind::LIST:
        return {WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS |
                    LBS_NOINTEGRALHEIGHT,
                LIST_BOX_CLASS};
    case ControlKind::SPINNER:
        return {WS_BORDER | WS_TABSTOP | ES_NUMBER, EDIT_CLASS};
    case ControlKind::CHOICE:
        return {CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, COMBO_BOX_CLASS};
    }
    return {0, STATIC_CLASS};
}

void item(Writer& w, DWORD style, int x, int y, int cx, int cy, int id) {
    w.alignDword();
    w.dword(WS_CHILD | WS_VISIBLE | style);
    w.dword(0); // no extended style
    w.word(static_cast<WORD>(x));
    w.word(static_cast<WORD>(y));
    w.word(static_cast<WORD>(cx));
    w.word(static_cast<WORD>(cy));
    w.word(static_cast<WORD>(id)); // NO_CONTROL_ID is the system's -1 for "none"
}

// The arrows of a spinner: they take the control made just before them, its field, as buddy.
void upDown(Writer& w, const ControlTemplate& c) {
    item(w, UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
         c.x + c.w - UPDOWN_WIDTH, c.y, UPDOWN_WIDTH, c.h, c.id + UPDOWN_ID_OFFSET);
    w.text("msctls_updown32"); // UPDOWN_CLASS
    w.word(0);                 // no text
    w.word(0);                 // no creation data
}
} // namespace

bool buildDialogTemplate(DialogTemplate& out) {
    return buildBoxTemplate(out, DialogBox{SETUP_CONTROLS, SETUP_CONTROL_COUNT, SETUP_TITLE,
                                           SETUP_DIALOG_X, SETUP_DIALOG_Y, SETUP_DIALOG_W,
                                           SETUP_DIALOG_H});
}

bool buildBoxTemplate(DialogTemplate& out, const DialogBox& box) {
    out.used = 0;
    Writer w{out, false};
    int items = box.count;
    for (int i = 0; i < box.count; ++i)
        items += box.controls[i].kind == ControlKind::SPINNER;

    w.dword(DIALOG_STYLE);
    w.dword(0); // no extended style
    w.word(static_cast<WORD>(items));
    w.word(static_cast<WORD>(box.x));
    w.word(static_cast<WORD>(box.y));
    w.word(static_cast<WORD>(box.w));
    w.word(static_cast<WORD>(box.h));
    w.word(0); // no menu
    w.word(0); // the system's dialog class
    w.text(box.title);
    w.word(DIALOG_FONT_POINTS);
    w.text(DIALOG_FONT);

    // One group from the first text on holds every radio button, so the automatic ones keep
    // exactly one on.
    bool grouped = false;
    for (int i = 0; i < box.count; ++i) {
        const ControlTemplate& c = box.controls[i];
        ItemClass kind           = itemClass(c.kind);
        if (c.kind == ControlKind::STATIC && !grouped) {
            kind.style |= WS_GROUP;
            grouped = true;
        }
        const int h = c.kind == ControlKind::CHOICE ? c.h + CHOICE_DROP_H : c.h;
        item(w, kind.style, c.x, c.y, c.w, h, c.id);
        w.word(ORDINAL_CLASS);
        w.word(kind.atom);
        w.text(c.text);
        w.word(0); // no creation data
        if (c.kind == ControlKind::SPINNER) upDown(w, c);
    }
    return !w.full;
}
