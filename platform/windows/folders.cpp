// The folders on Windows: where this program lies, and the files a folder holds.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {
constexpr int PROGRAM_PATH_SIZE = MAX_PATH * 4; // long paths, where the system allows them
}

void platformProgramFolder(char* folder, int size) {
    if (size <= 0) return;
    folder[0] = '\0';
    char path[PROGRAM_PATH_SIZE];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return; // none, or cut short
    char* lastSeparator = std::strrchr(path, '\\');
    char* lastSlash     = std::strrchr(path, '/');
    if (lastSlash > lastSeparator) lastSeparator = lastSlash;
    if (lastSeparator == nullptr) return;
    lastSeparator[1] = '\0';
    std::snprintf(folder, static_cast<size_t>(size), "%s", path);
}

int platformFolderNames(const char* folder, const char* end, char* names, int nameSize,
                        int maxNames) {
    char pattern[PROGRAM_PATH_SIZE];
    const int written = std::snprintf(pattern, sizeof pattern, "%s\\*%s", folder, end);
    if (written < 0 || written >= static_cast<int>(sizeof pattern)) return 0;
    WIN32_FIND_DATAA found;
    if (maxNames <= 0) return 0; // no row to write into
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    const size_t endLength = std::strlen(end);
    int count              = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const size_t length = std::strlen(found.cFileName);
        // The pattern also matches short 8.3 names: check the long one ends as asked.
        if (length <= endLength || length - endLength >= static_cast<size_t>(nameSize)) continue;
        if (std::strcmp(found.cFileName + length - endLength, end) != 0) continue;
        char* row = names + static_cast<size_t>(count) * static_cast<size_t>(nameSize);
        std::memcpy(row, found.cFileName, length - endLength);
        row[length - endLength] = '\0';
        ++count;
    } while (count < maxNames && FindNextFileA(search, &found));
    FindClose(search);
    return count;
}
