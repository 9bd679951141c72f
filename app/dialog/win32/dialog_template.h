// The set-up dialog's and its controls page's templates for the system's dialog manager, made
// in memory from a control table: the same ids, texts, places (dialog units) and Tab order.
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

// A dialog as its table gives it; x and y from the screen's corner, or for a dialog over
// another one, from its owner's.
struct DialogLayout {
    const char* title;
    int x, y, w, h; // dialog units
    const ControlTemplate* controls;
    int count;
};

// Writes the template; false when it would not fit.
bool buildDialogTemplate(DialogTemplate& out, const DialogLayout& dialog);
