// The player's data folder on Windows: under %APPDATA%, which the system keeps for each user.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "platform/windows/win32_problem.h"

namespace {
constexpr const char* GAME_FOLDER   = "Voranis";
constexpr int ENVIRONMENT_TEXT_SIZE = MAX_PATH * 4;
constexpr const char* NO_APP_DATA   = "APPDATA is not set";

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

bool platformDataFolder(const char* kind, char* folder, int size, char* problem, int problemSize) {
    char appData[ENVIRONMENT_TEXT_SIZE];
    const DWORD length = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    if (length == 0 || length >= sizeof appData) {
        std::snprintf(problem, static_cast<size_t>(problemSize), "%s", NO_APP_DATA);
        return false;
    }
    const std::string game = std::string(appData) + "\\" + GAME_FOLDER;
    for (const std::string& level : {game, game + "\\" + kind}) {
        if (isFolder(level) || CreateDirectoryA(level.c_str(), nullptr)) continue;
        const std::string what = "could not make the folder " + level;
        systemProblem(what.c_str(), problem, problemSize);
        return false;
    }
    std::snprintf(folder, static_cast<size_t>(size), "%s\\%s\\", game.c_str(), kind);
    return true;
}
