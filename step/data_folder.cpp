// The data folder, found from the working directory or from where the program lies.
#include "step/data_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/platform.h"

namespace {
constexpr int DATA_PATH_SIZE = 4096;

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
    char base[DATA_PATH_SIZE]; // the program's folder, whatever the working directory
    platformProgramFolder(base, sizeof base);
    if (base[0] == '\0') return;
    const std::string folder = findDataFolder(base);
    std::error_code error; // a folder that cannot be entered leaves loading to fail as before
    if (!folder.empty()) std::filesystem::current_path(folder, error);
}
