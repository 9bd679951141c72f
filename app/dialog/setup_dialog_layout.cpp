// The set-up dialog's controls: the original ten, then those added since.
#include "app/dialog/setup_dialog_layout.h"

// clang-format off
const ControlTemplate SETUP_CONTROLS[SETUP_CONTROL_COUNT] = {
    {ID_CREATE_GAME,          ControlKind::DEFAULT_BUTTON, "Create Game",     17, 25,  57, 14},
    {ID_JOIN_GAME,            ControlKind::BUTTON,         "Join Game",       79, 25,  58, 14},
    {ID_ADDRESS,              ControlKind::EDIT,           "",                17, 12, 119, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Server IP",       17,  2,  40,  9},
    {NO_CONTROL_ID,           ControlKind::GROUP_BOX,      "Video setup",      7, 42, 142, 49},
    {ID_FULL_SCREEN,          ControlKind::CHECK_BOX,      "FullScreen mode", 79, 79,  65,  8},
    {ID_RESOLUTION_FIRST,     ControlKind::RADIO,          "640 x 480",       10, 55,  61,  9},
    {ID_RESOLUTION_FIRST + 1, ControlKind::RADIO,          "800 x 600",       10, 66,  53,  9},
    {ID_RESOLUTION_FIRST + 2, ControlKind::RADIO,          "1024 x 768",      10, 79,  56,  8},
    {ID_SOUND,                ControlKind::CHECK_BOX,      "Enable sound",    79, 54,  59, 11},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Your name",        7, 97,  40,  9},
    {ID_NAME,                 ControlKind::EDIT,           "",                50, 95,  99, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Bots",             7, 112,  20,  9},
    {ID_BOTS,                 ControlKind::SPINNER,        "",                30, 110,  34, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Skill",           72, 112,  22,  9},
    {ID_BOT_SKILL,            ControlKind::CHOICE,         "",                97, 110,  52, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Kills",            7, 128,  20,  9},
    {ID_SCORE_LIMIT,          ControlKind::SPINNER,        "",                30, 126,  40, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Minutes",         76, 128,  32,  9},
    {ID_TIME_LIMIT,           ControlKind::SPINNER,        "",               109, 126,  40, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Arena",            7, 144,  24,  9},
    {ID_ARENA,                ControlKind::CHOICE,         "",                50, 142,  99, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,     "Games on this network",    7, 158, 142,  9},
    {ID_GAME_LIST,            ControlKind::LIST,           "",                 7, 168, 142, 50},
    {ID_RESOLUTION_DESKTOP,   ControlKind::RADIO,          "Desktop",         79, 67,  53,  9},
    {ID_CONTROLS,             ControlKind::BUTTON,         "Controls...",      7, 224,  68, 14},
    {ID_DEMOS,                ControlKind::BUTTON,         "Demos...",        79, 224,  70, 14},
};

const ControlTemplate DEMO_BOX_CONTROLS[DEMO_BOX_CONTROL_COUNT] = {
    {ID_DEMO_LIST,   ControlKind::LIST,           "",       7,   7, 286, 136},
    {ID_CREATE_GAME, ControlKind::DEFAULT_BUTTON, "Play",   178, 150, 55, 14},
    {ID_JOIN_GAME,   ControlKind::BUTTON,         "Cancel", 238, 150, 55, 14},
};
// clang-format on

int controlIndex(int id) {
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        if (SETUP_CONTROLS[i].id == id) return i;
    }
    return -1;
}

int resolutionControlId(int index) {
    return index == DESKTOP_RESOLUTION ? ID_RESOLUTION_DESKTOP : ID_RESOLUTION_FIRST + index;
}
