// Where the remembered choices are kept: short keys with text values, in one file of the
// player's own. Each system has its backend: FLTK's preferences file on Linux, the file the
// players already have; an .ini file under %APPDATA%\Voranis on Windows.
#pragma once

#include <string>

constexpr int SETTING_VALUE_SIZE = 160; // the longest value, an address, and its end
constexpr int STORE_REASON_SIZE  = 128;

struct Setting {
    const char* key;
    char value[SETTING_VALUE_SIZE];
    bool present; // the store holds the key
};

enum class StoreRead {
    READ,       // every setting the store holds is filled in
    NONE_YET,   // no file: a first start
    UNREADABLE, // reason says why
    NOT_OURS,   // a file the game did not write
};

// The folder the settings live in and their file in it; "" when the system names no folder.
std::string settingsFolder();
std::string settingsFile();
// Why settingsFolder() is "".
extern const char* const NO_SETTINGS_FOLDER;

// Fills in the value of each setting the store holds and marks it present.
StoreRead readSettingsStore(Setting* settings, int count, char reason[STORE_REASON_SIZE]);
// Keeps every setting; false, with the system's reason, when the file cannot be written.
bool writeSettingsStore(const Setting* settings, int count, char reason[STORE_REASON_SIZE]);
