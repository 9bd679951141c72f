// The demos folder: names by date and time, the oldest removed past the limits.
#include "demo/demo_folder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "demo/demo_file.h"
#include "platform/platform.h"

namespace {
constexpr int ARENA_SHOWN_CHARS = 20;
constexpr int MOST_SAME_NAMES   = 99;
#ifdef _WIN32
constexpr char SEPARATOR = '\\';
#else
constexpr char SEPARATOR = '/';
#endif

bool exists(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

uint64_t fileBytes(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size > 0 ? static_cast<uint64_t>(size) : 0;
}
} // namespace

bool demoAbsoluteFolder(const char* given, char* folder, int size) {
    std::error_code failed;
    std::filesystem::create_directories(given, failed);
    const std::filesystem::path whole = std::filesystem::absolute(given, failed);
    std::snprintf(folder, static_cast<size_t>(size), "%s", failed ? given : whole.string().c_str());
    return !failed;
}

bool demoFolder(char folder[DEMO_PATH_BYTES], char* problem, int problemSize) {
    return platformPlayerFolder("demos", folder, DEMO_PATH_BYTES, problem, problemSize);
}

void demoFilePath(const char* folder, std::time_t startedAt, const char* arena,
                  char path[DEMO_PATH_BYTES]) {
    char when[32] = "0000-00-00_00-00-00";
    if (const std::tm* local = std::localtime(&startedAt))
        std::strftime(when, sizeof when, "%Y-%m-%d_%H-%M-%S", local);
    char plain[ARENA_SHOWN_CHARS + 1];
    int n = 0;
    for (const char* c = arena; *c && n < ARENA_SHOWN_CHARS; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)) || *c == '-' || *c == '_') plain[n++] = *c;
    }
    plain[n]          = '\0';
    const char* shown = n > 0 ? plain : "universe";
    std::snprintf(path, DEMO_PATH_BYTES, "%s%c%s_%s%s", folder, SEPARATOR, when, shown,
                  DEMO_FILE_END);
    for (int k = 2; k <= MOST_SAME_NAMES && exists(path); ++k)
        std::snprintf(path, DEMO_PATH_BYTES, "%s%c%s_%s-%d%s", folder, SEPARATOR, when, shown, k,
                      DEMO_FILE_END);
}

int pruneDemoFolder(const char* folder, const DemoFolderLimits& limits, const char* keep) {
    std::vector<char> names(static_cast<size_t>(DEMO_FOLDER_NAMES_READ) * DEMO_FILE_NAME_BYTES);
    const int count = platformFolderNames(folder, DEMO_FILE_END, names.data(), DEMO_FILE_NAME_BYTES,
                                          DEMO_FOLDER_NAMES_READ);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(std::string(folder) + SEPARATOR +
                        (names.data() + static_cast<size_t>(i) * DEMO_FILE_NAME_BYTES) +
                        DEMO_FILE_END);
    std::sort(paths.begin(), paths.end()); // oldest first
    std::vector<uint64_t> sizes;
    uint64_t total = 0;
    for (const std::string& p : paths) {
        sizes.push_back(fileBytes(p));
        total += sizes.back();
    }
    int files   = count;
    int removed = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (files <= limits.files && total <= limits.bytes) break;
        if (keep && paths[i] == keep) continue;
        if (std::remove(paths[i].c_str()) != 0) continue;
        --files;
        total -= sizes[i];
        ++removed;
    }
    return removed;
}
