// Remembered choices as texts under their keys; a file we did not write, cannot read, or
// that holds values the game cannot use gives way to the start values with one line of
// warning.
#include "app/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/control_settings.h"
#include "step/bot_launcher.h"
#include "step/options.h"
#include "world/match.h"

static_assert(SETTING_VALUE_SIZE >= SETUP_ADDRESS_SIZE, "a remembered address comes back whole");

namespace {
// The keys, in this order in the table below.
enum Key {
    ADDRESS,
    RESOLUTION,
    FULLSCREEN,
    SOUND,
    NAME,
    BOTS,
    SKILL,
    SCORE,
    MINUTES,
    ARENA,
    KEY_COUNT,
};
constexpr const char* KEY_NAMES[KEY_COUNT] = {
    "address", "resolution", "fullscreen",  "sound",      "name",
    "bots",    "skill",      "score_limit", "time_limit", "arena",
};
constexpr int ABSENT               = -1;
constexpr int SETTING_NUMBER_BOUND = 1000000;
constexpr int ALL_KEYS             = KEY_COUNT + CONTROL_SETTING_COUNT; // the controls' last

void keyTable(Setting settings[ALL_KEYS]) {
    for (int k = 0; k < KEY_COUNT; ++k)
        settings[k] = Setting{KEY_NAMES[k], "", false};
    controlSettingKeys(settings + KEY_COUNT);
}

// A number the game wrote, checked as the command line's are; ABSENT when the key is missing.
// The bounds only keep the sums of later checks clear of overflow; each key has its own range.
bool readNumber(const Setting& s, int* value) {
    *value = ABSENT;
    return !s.present ||
           readOptionNumber(s.value, -SETTING_NUMBER_BOUND, SETTING_NUMBER_BOUND, value);
}

// What fits of text, cut at the size of the field it goes to.
void keepText(char* out, std::size_t size, const char* text) {
    const std::size_t length = strnlen(text, size - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
}

void writeNumber(Setting& s, int value) {
    std::snprintf(s.value, sizeof s.value, "%d", value);
}

bool isFlag(int value) {
    return value == ABSENT || value == 0 || value == 1;
}

bool isPrintable(const char* text) {
    for (const char* c = text; *c; ++c) {
        if (*c < ' ' || *c > '~') return false;
    }
    return true;
}

bool refuse(const char* why, char problem[SETTINGS_PROBLEM_SIZE]) {
    std::snprintf(problem, SETTINGS_PROBLEM_SIZE, "the settings in %s %s; using the start values",
                  settingsFile().c_str(), why);
    return false;
}

// The controls' entries, each alone: a damaged one keeps its default, and says so.
bool loadControls(const Setting s[ALL_KEYS], GameSetup* setup,
                  char problem[SETTINGS_PROBLEM_SIZE]) {
    char damaged[SETTINGS_PROBLEM_SIZE / 2];
    if (readControlSettings(s + KEY_COUNT, &setup->controls, damaged, sizeof damaged)) return true;
    std::snprintf(problem, SETTINGS_PROBLEM_SIZE,
                  "the settings in %s hold a damaged %s; using its default", settingsFile().c_str(),
                  damaged);
    return false;
}
} // namespace

bool loadSettings(GameSetup* setup, char problem[SETTINGS_PROBLEM_SIZE]) {
    Setting s[ALL_KEYS];
    keyTable(s);
    char reason[STORE_REASON_SIZE] = {};
    switch (readSettingsStore(s, ALL_KEYS, reason)) {
    case StoreRead::NONE_YET:
        return true; // a first start
    case StoreRead::UNREADABLE: {
        char why[STORE_REASON_SIZE + 32];
        std::snprintf(why, sizeof why, "cannot be read (%s)", reason);
        return refuse(why, problem);
    }
    case StoreRead::NOT_OURS:
        return refuse("are damaged", problem);
    case StoreRead::READ:
        break;
    }
    const bool controlsWhole = loadControls(s, setup, problem);
    char address[SETUP_ADDRESS_SIZE];
    char name[sizeof setup->name];
    char arena[sizeof setup->arena];
    keepText(address, sizeof address, s[ADDRESS].present ? s[ADDRESS].value : setup->address);
    keepText(name, sizeof name, s[NAME].present ? s[NAME].value : setup->name);
    keepText(arena, sizeof arena, s[ARENA].present ? s[ARENA].value : setup->arena);
    int resolution, fullScreen, sound, bots, skill, score, minutes;
    const bool numbers = readNumber(s[RESOLUTION], &resolution) &&
                         readNumber(s[FULLSCREEN], &fullScreen) && readNumber(s[SOUND], &sound) &&
                         readNumber(s[BOTS], &bots) && readNumber(s[SKILL], &skill) &&
                         readNumber(s[SCORE], &score) && readNumber(s[MINUTES], &minutes);
    if (!numbers || score < ABSENT || score > MAX_SCORE_LIMIT || minutes < ABSENT ||
        minutes > MAX_TIME_LIMIT_MINUTES ||
        (arena[0] != '\0' && !isPlainName(arena, ARENA_NAME_BYTES)))
        return refuse("are damaged", problem);
    if (resolution < ABSENT || resolution >= RESOLUTION_COUNT || !isFlag(fullScreen) ||
        !isFlag(sound) || !isPrintable(address) || !isPrintable(name) || bots < ABSENT ||
        bots > MAX_BOTS || skill == 0 || skill < ABSENT || skill > BOT_SKILL_LEVELS)
        return refuse("are damaged", problem);

    keepText(setup->address, sizeof setup->address, address);
    keepText(setup->name, sizeof setup->name, name);
    if (resolution != ABSENT) setup->resolutionIndex = resolution;
    if (fullScreen != ABSENT) setup->fullScreen = fullScreen;
    if (sound != ABSENT) setup->soundEnabled = sound;
    if (bots != ABSENT) setup->bots = bots;
    if (skill != ABSENT) setup->botSkill = skill;
    if (score != ABSENT) setup->scoreLimit = score;
    if (minutes != ABSENT) setup->timeLimitMinutes = minutes;
    if (arena[0] != '\0') keepText(setup->arena, sizeof setup->arena, arena);
    return controlsWhole;
}

bool saveSettings(const GameSetup& setup, char problem[SETTINGS_PROBLEM_SIZE]) {
    Setting s[ALL_KEYS];
    keyTable(s);
    writeControlSettings(setup.controls, s + KEY_COUNT);
    std::snprintf(s[ADDRESS].value, sizeof s[ADDRESS].value, "%s", setup.address);
    std::snprintf(s[NAME].value, sizeof s[NAME].value, "%s", setup.name);
    std::snprintf(s[ARENA].value, sizeof s[ARENA].value, "%s", setup.arena);
    writeNumber(s[RESOLUTION], setup.resolutionIndex);
    writeNumber(s[FULLSCREEN], setup.fullScreen);
    writeNumber(s[SOUND], setup.soundEnabled);
    writeNumber(s[BOTS], setup.bots);
    writeNumber(s[SKILL], setup.botSkill);
    writeNumber(s[SCORE], setup.scoreLimit);
    writeNumber(s[MINUTES], setup.timeLimitMinutes);
    char reason[STORE_REASON_SIZE] = {};
    if (writeSettingsStore(s, ALL_KEYS, reason)) return true;
    const std::string file = settingsFile();
    if (file.empty()) {
        std::snprintf(problem, SETTINGS_PROBLEM_SIZE, "the settings cannot be kept: %s", reason);
    } else {
        std::snprintf(problem, SETTINGS_PROBLEM_SIZE, "the settings cannot be kept in %s (%s)",
                      file.c_str(), reason);
    }
    return false;
}
