// The folder of recorded demos: where it lies, what a new file is called, and its limits.
#pragma once

#include <cstdint>
#include <ctime>

constexpr int DEMO_PATH_BYTES             = 1024;
constexpr int DEMO_FOLDER_MOST_FILES      = 50;
constexpr uint64_t DEMO_FOLDER_MOST_BYTES = 500ull * 1024 * 1024;
constexpr int DEMO_FOLDER_NAMES_READ      = 1024; // names looked at in one pruning
constexpr int DEMO_FILE_NAME_BYTES        = 96;

struct DemoFolderLimits {
    int files;
    uint64_t bytes;
};
constexpr DemoFolderLimits DEMO_FOLDER_LIMITS = {DEMO_FOLDER_MOST_FILES, DEMO_FOLDER_MOST_BYTES};

// The player's demos folder (made if missing); false, with why in problem.
bool demoFolder(char folder[DEMO_PATH_BYTES], char* problem, int problemSize);
// folder/DATE_TIME_ARENA.vdem for a recording begun at startedAt (local time); an arena name
// is kept to letters, digits, - and _; "universe" for none. A name already taken gets -2, -3...
void demoFilePath(const char* folder, std::time_t startedAt, const char* arena,
                  char path[DEMO_PATH_BYTES]);
// folder made (with the folders above it) and named from the root, so that it still names it
// after the working directory changes; false (with folder as given) when it cannot be made.
bool demoAbsoluteFolder(const char* given, char* folder, int size);
// Removes the oldest demos (their names begin with the date and time) until the folder holds
// at most limits.files and limits.bytes; keep is never removed. Returns how many went.
int pruneDemoFolder(const char* folder, const DemoFolderLimits& limits, const char* keep);
