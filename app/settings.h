// The choices remembered between runs: the address last joined, resolution, full screen,
// sound, the player's name and the bots, in $XDG_CONFIG_HOME/voranis/voranis.prefs
// (~/.config/voranis without it), kept by FLTK's preferences class.
#pragma once

#include <string>

#include "app/game_setup.h"

constexpr int SETTINGS_PROBLEM_SIZE = 512;

// The folder the settings live in.
std::string settingsFolder();

// Fills the remembered choices into setup. A file that is missing leaves setup as it is; one
// that cannot be read or holds values the game cannot use leaves it as it is too, and says
// so in problem (false).
bool loadSettings(GameSetup* setup, char problem[SETTINGS_PROBLEM_SIZE]);
// False, with the reason in problem, when the file cannot be written.
bool saveSettings(const GameSetup& setup, char problem[SETTINGS_PROBLEM_SIZE]);
