// The controls page's controls: the actions in rows, then the look's settings and the buttons.
#include "app/dialog/controls_page_layout.h"

namespace {
constexpr int ROW_Y       = 18; // the first action's row
constexpr int ROW_PITCH   = 16;
constexpr int LABEL_X     = 7;
constexpr int LABEL_DY    = 3; // a label sits lower than its entries, on their text's line
constexpr int LABEL_W     = 84;
constexpr int LABEL_H     = 9;
constexpr int ENTRY_X     = 94; // the first input's entry, the second one ENTRY_PITCH further
constexpr int ENTRY_W     = 54;
constexpr int ENTRY_H     = 14;
constexpr int ENTRY_PITCH = ENTRY_W + 3;

// clang-format off
constexpr ControlTemplate HINT =
    {NO_CONTROL_ID, ControlKind::STATIC, "Click an entry, then press a key or mouse button.",
                                                                          7,   4, 198,  9};
constexpr ControlTemplate LOOK_AND_BUTTONS[CONTROLS_PAGE_FIXED_COUNT - 1] = {
    {NO_CONTROL_ID,      ControlKind::STATIC,         "Mouse sensitivity", 7, 170,  84,  9},
    {ID_SENSITIVITY,     ControlKind::SPINNER,        "",                 94, 168,  40, 12},
    {ID_INVERT_PITCH,    ControlKind::CHECK_BOX,      "Inverted pitch",  140, 169,  65, 10},
    {NO_CONTROL_ID,      ControlKind::STATIC,         "Field of view",     7, 186,  84,  9},
    {ID_FOV,             ControlKind::SPINNER,        "",                 94, 184,  40, 12},
    {NO_CONTROL_ID,      ControlKind::STATIC,         "degrees",         138, 186,  40,  9},
    {ID_DEFAULTS,        ControlKind::BUTTON,         "Defaults",          7, 204,  50, 14},
    {ID_CONTROLS_OK,     ControlKind::DEFAULT_BUTTON, "OK",               98, 204,  50, 14},
    {ID_CONTROLS_CANCEL, ControlKind::BUTTON,         "Cancel",          155, 204,  50, 14},
};
// clang-format on
} // namespace

ControlsPageLayout controlsPageLayout() {
    ControlsPageLayout layout{};
    int n               = 0;
    layout.control[n++] = HINT;
    for (int a = 0; a < ACTION_COUNT; ++a) {
        const int y         = ROW_Y + a * ROW_PITCH;
        const char* label   = actionRow(static_cast<Action>(a)).label;
        layout.control[n++] = {
            NO_CONTROL_ID, ControlKind::STATIC, label, LABEL_X, y + LABEL_DY, LABEL_W, LABEL_H};
        for (int place = 0; place < INPUTS_PER_ACTION; ++place) {
            const int id        = ID_BINDING_FIRST + a * INPUTS_PER_ACTION + place;
            const int x         = ENTRY_X + place * ENTRY_PITCH;
            layout.control[n++] = {id, ControlKind::BUTTON, WAITING_TEXT, x, y, ENTRY_W, ENTRY_H};
        }
    }
    for (const ControlTemplate& c : LOOK_AND_BUTTONS)
        layout.control[n++] = c;
    return layout;
}

int bindingEntry(int id) {
    const int entry = id - ID_BINDING_FIRST;
    return entry >= 0 && entry < BINDING_ENTRY_COUNT ? entry : -1;
}
