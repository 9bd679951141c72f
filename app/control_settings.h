// The player's controls among the remembered settings: one entry for the look's sensitivity,
// one for inverted pitch, one for the field of view and one for each action's inputs (under
// the action's own name, "forward = W,Up"). Each entry is read alone: a damaged one gives way
// to its default and is named, the others still count.
#pragma once

#include "app/controls/controls.h"
#include "app/settings_store/settings_store.h"

constexpr int CONTROL_SETTING_COUNT = 3 + ACTION_COUNT;

// The entries' keys, with no values yet.
void controlSettingKeys(Setting settings[CONTROL_SETTING_COUNT]);
// Reads the entries present into controls. The keys of damaged entries go into damaged, one
// after the other ("fov, fire"); false when there is any.
bool readControlSettings(const Setting settings[CONTROL_SETTING_COUNT], ControlSettings* controls,
                         char* damaged, int damagedSize);
void writeControlSettings(const ControlSettings& controls, Setting settings[CONTROL_SETTING_COUNT]);
