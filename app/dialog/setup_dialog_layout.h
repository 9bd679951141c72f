// The set-up dialog's controls, in dialog units, as every toolkit builds them: ids, kinds,
// texts and places, in the Tab key's order. A dialog unit is a quarter of the font's average
// character width across and an eighth of its height down.
#pragma once

#include "app/dialog/game_setup.h"
#include "step/arena_choice.h"

enum class ControlKind {
    DEFAULT_BUTTON,
    BUTTON,
    EDIT,
    STATIC,
    GROUP_BOX,
    CHECK_BOX,
    RADIO,
    LIST,
    SPINNER, // a small number with arrows
    CHOICE,  // one of a few texts
};

// A group box holds the controls that lie inside it.
struct ControlTemplate {
    int id; // NO_CONTROL_ID for the texts that nothing refers to
    ControlKind kind;
    const char* text;
    int x, y, w, h; // dialog units
};

constexpr int NO_CONTROL_ID         = -1;
constexpr int ID_CREATE_GAME        = 1; // the system's OK: Enter
constexpr int ID_JOIN_GAME          = 2; // the system's Cancel: Escape
constexpr int ID_ADDRESS            = 1000;
constexpr int ID_FULL_SCREEN        = 1003;
constexpr int ID_RESOLUTION_FIRST   = 1004; // then 1005, 1006 in resolutionTable's order
constexpr int ID_SOUND              = 1007;
constexpr int ID_NAME               = 1009; // the player's name
constexpr int ID_BOTS               = 1011; // how many bots the host starts
constexpr int ID_BOT_SKILL          = 1012; // how well they play
constexpr int ID_GAME_LIST          = 1010; // the games found on the network
constexpr int ID_SCORE_LIMIT        = 1013; // a hosted match's kills, 0 for no limit
constexpr int ID_TIME_LIMIT         = 1014; // its minutes, 0 for no limit
constexpr int ID_ARENA              = 1015; // the host's arena, or Rotate
constexpr int ID_RESOLUTION_DESKTOP = 1016; // the desktop's own size, last in resolutionTable
constexpr int ID_CONTROLS           = 1017; // opens the controls page
constexpr int ID_DEMOS              = 1020; // the recorded games, to watch one

// The first ten controls are the dialog as it always was; the name, the bots, the match's
// limits and arena, the games list, the desktop's size, the controls' button and the demos come
// after them.
constexpr int SETUP_CONTROL_COUNT = 27;
extern const ControlTemplate SETUP_CONTROLS[SETUP_CONTROL_COUNT];

constexpr const char* SETUP_TITLE = "Voranis NetSetup";
constexpr int SETUP_DIALOG_X      = 100; // dialog units from the screen's corner
constexpr int SETUP_DIALOG_Y      = 100;
constexpr int SETUP_DIALOG_W      = 157;
constexpr int SETUP_DIALOG_H      = 244;

// The "Demos..." box: the recorded games, newest first, and Play (Enter, or a double click
// on a game) or Cancel (Escape).
constexpr int ID_DEMO_LIST           = 1021;
constexpr int DEMO_BOX_CONTROL_COUNT = 3;
extern const ControlTemplate DEMO_BOX_CONTROLS[DEMO_BOX_CONTROL_COUNT];
constexpr const char* DEMO_BOX_TITLE   = "Demos";
constexpr int DEMO_BOX_W               = 300;
constexpr int DEMO_BOX_H               = 170;
constexpr int DEMO_LIST_DATE_COLUMN    = 120; // dialog units from the list's left
constexpr int DEMO_LIST_PLAYERS_COLUMN = 200;
constexpr int DEMO_LIST_LENGTH_COLUMN  = 245;

// The box a host confirms before the dialog closes and it waits for the others.
constexpr const char* SERVER_INFO_TITLE = "Server Info";
constexpr const char* SERVER_INFO_TEXT  = "Press OK and wait for connection !";

// The bots' skill levels, 1 to 3, as the dialog names them; the widest is the middle one.
constexpr int SKILL_LEVEL_COUNT                      = 3;
constexpr const char* SKILL_NAMES[SKILL_LEVEL_COUNT] = {"Easy", "Normal", "Hard"};
constexpr const char* ROTATE_TEXT                    = "Rotate"; // the arena choice's last entry

// The place of the control with this id in SETUP_CONTROLS; -1 for none.
int controlIndex(int id);
// The radio button of resolutionTable's row.
int resolutionControlId(int index);
