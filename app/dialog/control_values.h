// The set-up dialog's controls as plain values, to and from GameSetup: each toolkit only
// moves them between these values and its widgets, by kind.
#pragma once

#include "app/dialog/game_setup.h"
#include "app/dialog/setup_dialog_layout.h"

// What one control holds: a check box's or radio button's 1 or 0, a spinner's number, a
// choice's entry from 0, or an edit box's text.
struct ControlValue {
    int number;
    char text[SETUP_ADDRESS_SIZE];
};
using ControlValues = ControlValue[SETUP_CONTROL_COUNT]; // in SETUP_CONTROLS' order

constexpr int CHOICE_ENTRY_MAX = MAX_ARENA_CHOICES + 1; // the arenas and "Rotate"

// The entries of the choice with this id, in order; returns how many. The texts live in
// SKILL_NAMES or in arenas.
int choiceEntries(int id, const ArenaList& arenas, const char* entries[CHOICE_ENTRY_MAX]);
int spinnerHighest(int id); // a spinner goes from 0 to this
int editMaxChars(int id);   // what an edit box takes

// The controls as setup's choices show them.
void setupToControls(const GameSetup& setup, const ArenaList& arenas, ControlValues values);
// The choices as the controls hold them, all but the address, which only joining keeps. One
// resolution is always on: the desktop's when none of the others is.
void controlsToSetup(const ControlValues values, const ArenaList& arenas, GameSetup& setup);
// The address box's text.
const char* typedAddress(const ControlValues values);
