// The controls' entries of the remembered settings, each read on its own.
#include "app/control_settings.h"

#include <cstdio>
#include <cstring>

#include "step/options.h"

namespace {
enum Entry { SENSITIVITY, INVERT_PITCH, FIELD_OF_VIEW, FIRST_ACTION };
constexpr const char* ENTRY_KEYS[FIRST_ACTION] = {"sensitivity", "invert_pitch", "fov"};
static_assert(DECIMAL_SCALE == 100, "the sensitivity is read in hundredths");

bool readEntry(const Setting& s, int entry, ControlSettings* controls) {
    int number = 0;
    char ignored[CONTROLS_PROBLEM_SIZE];
    switch (entry) {
    case SENSITIVITY:
        if (!readOptionDecimal(s.value, SENSITIVITY_LOWEST_HUNDREDTHS,
                               SENSITIVITY_HIGHEST_HUNDREDTHS, &number))
            return false;
        controls->sensitivity = static_cast<float>(number) / DECIMAL_SCALE;
        return true;
    case INVERT_PITCH:
        if (!readOptionNumber(s.value, 0, 1, &number)) return false;
        controls->invertPitch = number != 0;
        return true;
    case FIELD_OF_VIEW:
        if (!readOptionNumber(s.value, FOV_LOWEST, FOV_HIGHEST, &number)) return false;
        controls->fovDegrees = number;
        return true;
    default:
        return parseInputs(*controls, static_cast<Action>(entry - FIRST_ACTION), s.value, ignored);
    }
}

void nameDamaged(const char* key, char* damaged, int damagedSize) {
    const std::size_t used = std::strlen(damaged);
    std::snprintf(damaged + used, static_cast<std::size_t>(damagedSize) - used, "%s%s",
                  used ? ", " : "", key);
}
} // namespace

void controlSettingKeys(Setting settings[CONTROL_SETTING_COUNT]) {
    for (int e = 0; e < CONTROL_SETTING_COUNT; ++e) {
        const char* key = e < FIRST_ACTION ? ENTRY_KEYS[e]
                                           : actionRow(static_cast<Action>(e - FIRST_ACTION)).name;
        settings[e]     = Setting{key, "", false};
    }
}

bool readControlSettings(const Setting settings[CONTROL_SETTING_COUNT], ControlSettings* controls,
                         char* damaged, int damagedSize) {
    damaged[0] = '\0';
    // Bindings are read over the defaults in the table's order; an input that a later entry
    // takes moves there, as it would in the dialog.
    for (int e = 0; e < CONTROL_SETTING_COUNT; ++e) {
        const Setting& s = settings[e];
        if (s.present && !readEntry(s, e, controls)) nameDamaged(s.key, damaged, damagedSize);
    }
    return damaged[0] == '\0';
}

void writeControlSettings(const ControlSettings& controls,
                          Setting settings[CONTROL_SETTING_COUNT]) {
    // Written as digits, never in the locale's way: "1.25" whatever the language.
    const int hundredths = static_cast<int>(controls.sensitivity * DECIMAL_SCALE + 0.5f);
    std::snprintf(settings[SENSITIVITY].value, SETTING_VALUE_SIZE, "%d.%02d",
                  hundredths / DECIMAL_SCALE, hundredths % DECIMAL_SCALE);
    std::snprintf(settings[INVERT_PITCH].value, SETTING_VALUE_SIZE, "%d",
                  controls.invertPitch ? 1 : 0);
    std::snprintf(settings[FIELD_OF_VIEW].value, SETTING_VALUE_SIZE, "%d", controls.fovDegrees);
    for (int a = 0; a < ACTION_COUNT; ++a) {
        char text[BINDING_TEXT_SIZE];
        formatBinding(controls, static_cast<Action>(a), text);
        std::snprintf(settings[FIRST_ACTION + a].value, SETTING_VALUE_SIZE, "%s", text);
    }
}
