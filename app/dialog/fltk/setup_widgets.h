// The set-up dialog built with FLTK from the dialog's control table, scaled from dialog units
// (widened where a text would not fit its control).
#pragma once

#include "app/dialog/control_values.h"
#include "app/dialog/setup_dialog_layout.h"

class Fl_Double_Window;
class Fl_Widget;

constexpr int SETUP_FONT_SIZE = 13; // pixels

struct SetupDialog {
    Fl_Double_Window* window;
    Fl_Widget* control[SETUP_CONTROL_COUNT]; // in SETUP_CONTROLS' order
    ArenaList arenas;                        // the arena choice's, before its "Rotate"
};

// Dialog units to pixels: the font's, widened where a control's text would not fit it.
struct DialogScale {
    double x, y;
    int px(int dialogUnits) const;
    int py(int dialogUnits) const;
};
DialogScale dialogScale(const ControlTemplate* controls, int count);
// The control's widget, outside any group, holding value (a choice's entries from arenas).
Fl_Widget* makeControl(const ControlTemplate& c, const DialogScale& s, const ArenaList& arenas,
                       const ControlValue& value);

// Builds the dialog, hidden, with setup's values and without callbacks.
SetupDialog buildSetupDialog(const GameSetup& setup);
Fl_Widget* controlById(const SetupDialog& dialog, int id);
// What the controls hold now.
void readControls(const SetupDialog& dialog, ControlValues values);
