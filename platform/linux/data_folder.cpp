// The player's data folder on Linux, by the XDG base directories, made a level at a time.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {
constexpr const char* GAME_FOLDER    = "voranis";
constexpr const char* HOME_DATA      = "/.local/share";
constexpr mode_t NEW_FOLDER_MODE     = 0755; // less the umask
constexpr const char* NO_DATA_FOLDER = "neither XDG_DATA_HOME nor HOME is set";

std::string dataHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return data;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + HOME_DATA;
    return "";
}

bool isFolder(const std::string& path) {
    struct stat about {};
    return stat(path.c_str(), &about) == 0 && S_ISDIR(about.st_mode);
}
} // namespace

bool platformDataFolder(const char* kind, char* folder, int size, char* problem, int problemSize) {
    const std::string home = dataHome();
    if (home.empty()) {
        std::snprintf(problem, static_cast<size_t>(problemSize), "%s", NO_DATA_FOLDER);
        return false;
    }
    const std::string path = home + "/" + GAME_FOLDER + "/" + kind;
    // Each level from the top; one already there is passed over.
    for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string level = path.substr(0, end);
        if (!isFolder(level) && mkdir(level.c_str(), NEW_FOLDER_MODE) != 0) {
            std::snprintf(problem, static_cast<size_t>(problemSize),
                          "could not make the folder %s: %s", level.c_str(), std::strerror(errno));
            return false;
        }
        if (end == std::string::npos) break;
    }
    std::snprintf(folder, static_cast<size_t>(size), "%s/", path.c_str());
    return true;
}
