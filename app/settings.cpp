// Remembered choices through FLTK's preferences file; a file we did not write, or cannot
// read, gives way to the start values with one line of warning.
#include "app/settings.h"

#include <FL/Fl_Preferences.H>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/window.h"
#include "step/bot_launcher.h"
#include "world/match.h"

namespace {
constexpr const char* SETTINGS_NAME    = "voranis"; // vendor and application alike
constexpr const char* PREFS_FIRST_LINE = "; FLTK preferences file format 1.0";
constexpr int PREFS_LINE_SIZE          = 64;

constexpr const char* KEY_ADDRESS    = "address";
constexpr const char* KEY_RESOLUTION = "resolution";
constexpr const char* KEY_FULLSCREEN = "fullscreen";
constexpr const char* KEY_SOUND      = "sound";
constexpr const char* KEY_NAME       = "name";
constexpr const char* KEY_BOTS       = "bots";
constexpr const char* KEY_SKILL      = "skill";
constexpr const char* KEY_SCORE      = "score_limit";
constexpr const char* KEY_MINUTES    = "time_limit";
constexpr const char* KEY_ARENA      = "arena";
constexpr int ABSENT                 = -1;

std::string settingsFile() {
    const std::string folder = settingsFolder();
    return folder.empty() ? "" : folder + "/" + SETTINGS_NAME + ".prefs";
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

bool refuse(const std::string& file, const char* why, char problem[SETTINGS_PROBLEM_SIZE]) {
    std::snprintf(problem, SETTINGS_PROBLEM_SIZE, "the settings in %s %s; using the start values",
                  file.c_str(), why);
    return false;
}
} // namespace

std::string settingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/" + SETTINGS_NAME;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/" + SETTINGS_NAME;
    return "";
}

bool loadSettings(GameSetup* setup, char problem[SETTINGS_PROBLEM_SIZE]) {
    const std::string file = settingsFile();
    FILE* f                = file.empty() ? nullptr : std::fopen(file.c_str(), "r");
    if (!f) {
        if (file.empty() || errno == ENOENT) return true; // a first start
        char why[SETTINGS_PROBLEM_SIZE / 4];
        std::snprintf(why, sizeof why, "cannot be read (%s)", std::strerror(errno));
        return refuse(file, why, problem);
    }
    char line[PREFS_LINE_SIZE] = {};
    const bool ours            = std::fgets(line, sizeof line, f) &&
                      std::strncmp(line, PREFS_FIRST_LINE, std::strlen(PREFS_FIRST_LINE)) == 0;
    std::fclose(f);
    if (!ours) return refuse(file, "are damaged", problem);

    Fl_Preferences prefs(settingsFolder().c_str(), SETTINGS_NAME, SETTINGS_NAME);
    char address[SETUP_ADDRESS_SIZE];
    char name[sizeof setup->name];
    int resolution = ABSENT, fullScreen = ABSENT, sound = ABSENT, bots = ABSENT, skill = ABSENT;
    prefs.get(KEY_ADDRESS, address, setup->address, sizeof address);
    prefs.get(KEY_NAME, name, setup->name, sizeof name);
    prefs.get(KEY_RESOLUTION, resolution, ABSENT);
    prefs.get(KEY_FULLSCREEN, fullScreen, ABSENT);
    prefs.get(KEY_SOUND, sound, ABSENT);
    prefs.get(KEY_BOTS, bots, ABSENT);
    prefs.get(KEY_SKILL, skill, ABSENT);
    int score = ABSENT, minutes = ABSENT;
    char arena[sizeof setup->arena];
    prefs.get(KEY_SCORE, score, ABSENT);
    prefs.get(KEY_MINUTES, minutes, ABSENT);
    prefs.get(KEY_ARENA, arena, setup->arena, sizeof arena);
    if (score < ABSENT || score > MAX_SCORE_LIMIT || minutes < ABSENT ||
        minutes > MAX_TIME_LIMIT_MINUTES ||
        (arena[0] != '\0' && !isPlainName(arena, ARENA_NAME_BYTES)))
        return refuse(file, "are damaged", problem);
    if (resolution < ABSENT || resolution >= RESOLUTION_COUNT || !isFlag(fullScreen) ||
        !isFlag(sound) || !isPrintable(address) || !isPrintable(name) || bots < ABSENT ||
        bots > MAX_BOTS || skill == 0 || skill < ABSENT || skill > BOT_SKILL_LEVELS)
        return refuse(file, "are damaged", problem);

    std::snprintf(setup->address, sizeof setup->address, "%s", address);
    std::snprintf(setup->name, sizeof setup->name, "%s", name);
    if (resolution != ABSENT) setup->resolutionIndex = resolution;
    if (fullScreen != ABSENT) setup->fullScreen = fullScreen;
    if (sound != ABSENT) setup->soundEnabled = sound;
    if (bots != ABSENT) setup->bots = bots;
    if (skill != ABSENT) setup->botSkill = skill;
    if (score != ABSENT) setup->scoreLimit = score;
    if (minutes != ABSENT) setup->timeLimitMinutes = minutes;
    if (arena[0] != '\0') std::snprintf(setup->arena, sizeof setup->arena, "%s", arena);
    return true;
}

bool saveSettings(const GameSetup& setup, char problem[SETTINGS_PROBLEM_SIZE]) {
    const std::string file = settingsFile();
    if (file.empty()) {
        std::snprintf(problem, SETTINGS_PROBLEM_SIZE,
                      "the settings cannot be kept: neither XDG_CONFIG_HOME nor HOME is set");
        return false;
    }
    // FLTK does not say whether the file can be written, so look first.
    std::error_code ignored; // a folder that cannot be made shows in the look
    std::filesystem::create_directories(settingsFolder(), ignored);
    FILE* f = std::fopen(file.c_str(), "a");
    if (!f) {
        std::snprintf(problem, SETTINGS_PROBLEM_SIZE, "the settings cannot be kept in %s (%s)",
                      file.c_str(), std::strerror(errno));
        return false;
    }
    std::fclose(f);
    Fl_Preferences prefs(settingsFolder().c_str(), SETTINGS_NAME, SETTINGS_NAME);
    prefs.set(KEY_ADDRESS, setup.address);
    prefs.set(KEY_RESOLUTION, setup.resolutionIndex);
    prefs.set(KEY_FULLSCREEN, setup.fullScreen);
    prefs.set(KEY_SOUND, setup.soundEnabled);
    prefs.set(KEY_NAME, setup.name);
    prefs.set(KEY_BOTS, setup.bots);
    prefs.set(KEY_SKILL, setup.botSkill);
    prefs.set(KEY_SCORE, setup.scoreLimit);
    prefs.set(KEY_MINUTES, setup.timeLimitMinutes);
    prefs.set(KEY_ARENA, setup.arena);
    prefs.flush();
    return true;
}
