// The choices remembered between runs: the address last joined, resolution, full screen,
// sound, the player's name, the bots and the match's limits and arena, and the player's
// controls, in the system's settings store (settingsFolder()).
#pragma once

#include "app/game_setup.h"
#include "app/settings_store/settings_store.h"

constexpr int SETTINGS_PROBLEM_SIZE = 512;

// Fills the remembered choices into setup. A file that is missing leaves setup as it is; one
// that cannot be read or holds values the game cannot use leaves it as it is too, and says
// so in problem (false). The controls' entries are read one by one: a damaged one alone
// keeps its value, and problem names it (false).
bool loadSettings(GameSetup* setup, char problem[SETTINGS_PROBLEM_SIZE]);
// False, with the reason in problem, when the file cannot be written.
bool saveSettings(const GameSetup& setup, char problem[SETTINGS_PROBLEM_SIZE]);
