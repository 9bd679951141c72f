// The settings in %APPDATA%\Voranis\voranis.ini, one [voranis] section, through the system's
// profile functions. Values are written in quotes, which reading takes off again, so a name's
// spaces at either end stay.
#include <windows.h>

#include <cstdio>

#include "app/settings_store/settings_store.h"

namespace {
constexpr const char* SECTION       = "voranis";
constexpr const char* FOLDER_NAME   = "Voranis";
constexpr const char* FILE_NAME     = "voranis.ini";
constexpr const char* ABSENT_VALUE  = "\x01"; // no value the game writes or takes
constexpr int ENVIRONMENT_TEXT_SIZE = MAX_PATH * 4;

void systemReason(DWORD error, char reason[STORE_REASON_SIZE]) {
    const DWORD written = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                         nullptr, error, 0, reason, STORE_REASON_SIZE, nullptr);
    if (written == 0) std::snprintf(reason, STORE_REASON_SIZE, "system error %lu", error);
    // The system's text ends with a line break.
    for (char* c = reason; *c; ++c) {
        if (*c == '\r' || *c == '\n') *c = '\0';
    }
}
} // namespace

const char* const NO_SETTINGS_FOLDER = "APPDATA is not set";

std::string settingsFolder() {
    char appData[ENVIRONMENT_TEXT_SIZE];
    const DWORD length = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    if (length == 0 || length >= sizeof appData) return "";
    return std::string(appData) + "\\" + FOLDER_NAME;
}

std::string settingsFile() {
    const std::string folder = settingsFolder();
    return folder.empty() ? "" : folder + "\\" + FILE_NAME;
}

StoreRead readSettingsStore(Setting* settings, int count, char reason[STORE_REASON_SIZE]) {
    const std::string file = settingsFile();
    if (file.empty()) return StoreRead::NONE_YET;
    HANDLE f = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return StoreRead::NONE_YET;
        systemReason(error, reason);
        return StoreRead::UNREADABLE;
    }
    CloseHandle(f);
    for (int i = 0; i < count; ++i) {
        Setting& s = settings[i];
        GetPrivateProfileStringA(SECTION, s.key, ABSENT_VALUE, s.value, sizeof s.value,
                                 file.c_str());
        s.present = std::string(s.value) != ABSENT_VALUE;
        if (!s.present) s.value[0] = '\0';
    }
    return StoreRead::READ;
}

bool writeSettingsStore(const Setting* settings, int count, char reason[STORE_REASON_SIZE]) {
    const std::string folder = settingsFolder();
    if (folder.empty()) {
        std::snprintf(reason, STORE_REASON_SIZE, "%s", NO_SETTINGS_FOLDER);
        return false;
    }
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        systemReason(GetLastError(), reason);
        return false;
    }
    const std::string file = settingsFile();
    for (int i = 0; i < count; ++i) {
        char quoted[SETTING_VALUE_SIZE + 2];
        std::snprintf(quoted, sizeof quoted, "\"%s\"", settings[i].value);
        if (!WritePrivateProfileStringA(SECTION, settings[i].key, quoted, file.c_str())) {
            systemReason(GetLastError(), reason);
            return false;
        }
    }
    return true;
}
