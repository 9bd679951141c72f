// The controls page's controls, in dialog units, as every toolkit builds them: a row for each
// action (its label and its two inputs), the look's settings, then Defaults, OK and Cancel, in
// the Tab key's order.
#pragma once

#include "app/controls/controls.h"
#include "app/dialog/setup_dialog_layout.h"

constexpr int BINDING_ENTRY_COUNT = ACTION_COUNT * INPUTS_PER_ACTION; // action by action

constexpr int ID_CONTROLS_OK     = 1; // the system's OK: Enter
constexpr int ID_CONTROLS_CANCEL = 2; // the system's Cancel: Escape
constexpr int ID_DEFAULTS        = 2000;
constexpr int ID_SENSITIVITY     = 2001; // the mouse's look speed, a factor of 0.3 degrees a pixel
constexpr int ID_INVERT_PITCH    = 2002;
constexpr int ID_FOV             = 2003; // the vertical field of view, degrees
constexpr int ID_BINDING_FIRST   = 3000; // then one an entry: action * INPUTS_PER_ACTION + place

constexpr int CONTROLS_PAGE_FIXED_COUNT = 10; // the hint, the look's six, the three buttons
constexpr int CONTROLS_PAGE_CONTROL_COUNT =
    CONTROLS_PAGE_FIXED_COUNT + ACTION_COUNT * (1 + INPUTS_PER_ACTION);

constexpr const char* CONTROLS_PAGE_TITLE = "Controls";
constexpr int CONTROLS_PAGE_W             = 212; // dialog units
constexpr int CONTROLS_PAGE_H             = 224;
// What an entry shows while it waits for its input; the entries are sized for it, as wide as
// the widest input name.
constexpr const char* WAITING_TEXT = "Press a key...";

struct ControlsPageLayout {
    ControlTemplate control[CONTROLS_PAGE_CONTROL_COUNT];
};

// The page's controls; the actions' labels are the action table's.
ControlsPageLayout controlsPageLayout();
// The entry (action * INPUTS_PER_ACTION + place) of a control id; -1 for none.
int bindingEntry(int id);
