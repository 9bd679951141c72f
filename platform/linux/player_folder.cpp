// The player's data folder under the XDG base directory, made as deep as it must be.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace {
constexpr mode_t FOLDER_MODE = 0755;

// Makes every folder along path; false with errno set when one cannot be made.
bool makeFolders(char* path) {
    for (char* c = path + 1;; ++c) {
        if (*c != '/' && *c != '\0') continue;
        const char kept = *c;
        *c              = '\0';
        const bool made = mkdir(path, FOLDER_MODE) == 0 || errno == EEXIST;
        *c              = kept;
        if (!made) return false;
        if (kept == '\0') break;
    }
    struct stat info;
    if (stat(path, &info) != 0) return false;
    if (!S_ISDIR(info.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}
} // namespace

bool platformPlayerFolder(const char* sub, char* folder, int size, char* problem, int problemSize) {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    int length       = 0;
    if (data && data[0] == '/')
        length = std::snprintf(folder, static_cast<size_t>(size), "%s/voranis/%s", data, sub);
    else if (home && home[0] == '/')
        length = std::snprintf(folder, static_cast<size_t>(size), "%s/.local/share/voranis/%s",
                               home, sub);
    else {
        std::snprintf(problem, static_cast<size_t>(problemSize),
                      "neither XDG_DATA_HOME nor HOME names a folder");
        return false;
    }
    if (length >= size) {
        std::snprintf(problem, static_cast<size_t>(problemSize), "the folder's path is too long");
        return false;
    }
    if (makeFolders(folder)) return true;
    std::snprintf(problem, static_cast<size_t>(problemSize), "cannot make %s: %s", folder,
                  std::strerror(errno));
    return false;
}
