// The data folder, found from the working directory or from where the program lies.
#include "app/data_folder.h"

#include <SDL_filesystem.h>
#include <SDL_stdinc.h>

#include <filesystem>
#include <system_error>

namespace {
bool holdsData(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / DATA_MARKER_FILE, error);
}
} // namespace

std::string findDataFolder(const std::string& programFolder) {
    if (holdsData(".") || programFolder.empty()) return "";
    for (const char* place : DATA_FROM_PROGRAM) {
        const std::filesystem::path folder = std::filesystem::path(programFolder) / place;
        if (holdsData(folder)) return folder.lexically_normal().string();
    }
    return "";
}

void enterDataFolder() {
    char* base = SDL_GetBasePath(); // the program's folder, whatever the working directory
    if (!base) return;
    const std::string folder = findDataFolder(base);
    SDL_free(base);
    std::error_code error; // a folder that cannot be entered leaves loading to fail as before
    if (!folder.empty()) std::filesystem::current_path(folder, error);
}
