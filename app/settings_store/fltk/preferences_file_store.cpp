// The settings through FLTK's preferences class, in $XDG_CONFIG_HOME/voranis/voranis.prefs
// (~/.config/voranis without it). A file FLTK's class did not write is not read.
#include <FL/Fl_Preferences.H>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/settings_store/settings_store.h"

namespace {
constexpr const char* SETTINGS_NAME    = "voranis"; // vendor and application alike
constexpr const char* PREFS_FIRST_LINE = "; FLTK preferences file format 1.0";
constexpr int PREFS_LINE_SIZE          = 64;
} // namespace

const char* const NO_SETTINGS_FOLDER = "neither XDG_CONFIG_HOME nor HOME is set";

std::string settingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/" + SETTINGS_NAME;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/" + SETTINGS_NAME;
    return "";
}

std::string settingsFile() {
    const std::string folder = settingsFolder();
    return folder.empty() ? "" : folder + "/" + SETTINGS_NAME + ".prefs";
}

StoreRead readSettingsStore(Setting* settings, int count, char reason[STORE_REASON_SIZE]) {
    const std::string file = settingsFile();
    FILE* f                = file.empty() ? nullptr : std::fopen(file.c_str(), "r");
    if (!f) {
        if (file.empty() || errno == ENOENT) return StoreRead::NONE_YET;
        std::snprintf(reason, STORE_REASON_SIZE, "%s", std::strerror(errno));
        return StoreRead::UNREADABLE;
    }
    char line[PREFS_LINE_SIZE] = {};
    const bool ours            = std::fgets(line, sizeof line, f) &&
                      std::strncmp(line, PREFS_FIRST_LINE, std::strlen(PREFS_FIRST_LINE)) == 0;
    std::fclose(f);
    if (!ours) return StoreRead::NOT_OURS;

    Fl_Preferences prefs(settingsFolder().c_str(), SETTINGS_NAME, SETTINGS_NAME);
    for (int i = 0; i < count; ++i) {
        Setting& s = settings[i];
        s.present  = prefs.entryExists(s.key) != 0;
        if (s.present) prefs.get(s.key, s.value, "", sizeof s.value);
    }
    return StoreRead::READ;
}

bool writeSettingsStore(const Setting* settings, int count, char reason[STORE_REASON_SIZE]) {
    const std::string file = settingsFile();
    if (file.empty()) {
        std::snprintf(reason, STORE_REASON_SIZE, "%s", NO_SETTINGS_FOLDER);
        return false;
    }
    // FLTK does not say whether the file can be written, so look first.
    std::error_code ignored; // a folder that cannot be made shows in the look
    std::filesystem::create_directories(settingsFolder(), ignored);
    FILE* f = std::fopen(file.c_str(), "a");
    if (!f) {
        std::snprintf(reason, STORE_REASON_SIZE, "%s", std::strerror(errno));
        return false;
    }
    std::fclose(f);
    Fl_Preferences prefs(settingsFolder().c_str(), SETTINGS_NAME, SETTINGS_NAME);
    for (int i = 0; i < count; ++i)
        prefs.set(settings[i].key, settings[i].value);
    prefs.flush();
    return true;
}
