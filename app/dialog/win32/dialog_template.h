// The set-up dialog's template for the system's dialog manager, made in memory from the
// dialog's control table: the same ids, texts, places (dialog units) and Tab order.
#pragma once

#include <windows.h>

#include "app/dialog/setup_dialog_layout.h"

constexpr int DIALOG_TEMPLATE_WORDS = 4096; // the whole dialog takes about 1800
constexpr int UPDOWN_ID_OFFSET      = 100;  // a spinner's arrows: its id plus this
constexpr int DIALOG_FONT_POINTS    = 8;
constexpr const char* DIALOG_FONT   = "MS Sans Serif";

struct DialogTemplate {
    alignas(DWORD) WORD words[DIALOG_TEMPLATE_WORDS];
    int used;
};

// Writes the set-up dialog's template; false when it would not fit.
bool buildDialogTemplate(DialogTemplate& out);

// Any box from a control table, placed in dialog units.
struct DialogBox {
    const ControlTemplate* controls;
    int count;
    const char* title;
    int x, y, w, h;
};
bool buildBoxTemplate(DialogTemplate& out, const DialogBox& box);
