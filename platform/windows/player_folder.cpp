// The player's data folder under %APPDATA%\Voranis, made as deep as it must be.
#include <windows.h>

#include <cstdio>

#include "platform/platform.h"

namespace {
// CreateDirectory makes one level: each one in turn; false when one is neither made nor there.
bool makeFolders(char* path) {
    for (char* c = path + 3;; ++c) { // past "C:\"
        if (*c != '\\' && *c != '\0') continue;
        const char kept = *c;
        *c              = '\0';
        const bool made = CreateDirectoryA(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
        *c              = kept;
        if (!made) return false;
        if (kept == '\0') break;
    }
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

bool platformPlayerFolder(const char* sub, char* folder, int size, char* problem, int problemSize) {
    char appData[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    if (length == 0 || length >= sizeof appData) {
        std::snprintf(problem, static_cast<size_t>(problemSize), "APPDATA is not set");
        return false;
    }
    if (std::snprintf(folder, static_cast<size_t>(size), "%s\\Voranis\\%s", appData, sub) >= size) {
        std::snprintf(problem, static_cast<size_t>(problemSize), "the folder's path is too long");
        return false;
    }
    if (makeFolders(folder)) return true;
    std::snprintf(problem, static_cast<size_t>(problemSize), "cannot make %s (error %lu)", folder,
                  static_cast<unsigned long>(GetLastError()));
    return false;
}
