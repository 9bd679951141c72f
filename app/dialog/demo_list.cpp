// The recorded games' list: the folder's demos read for their headers, newest first.
#include "app/dialog/demo_list.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "demo/demo_file.h"
#include "platform/platform.h"

namespace {
constexpr uint32_t MS_PER_SECOND_SHOWN = 1000;
constexpr uint32_t SECONDS_PER_MINUTE  = 60;

constexpr const char* UNIVERSE_TEXT = "universe"; // no arena: the game's own universe.uni
constexpr const char* DATE_FORMAT   = "%Y-%m-%d %H:%M";

bool newerFirst(const DemoListEntry& a, const DemoListEntry& b) {
    if (a.startedAt != b.startedAt) return a.startedAt > b.startedAt;
    return std::strcmp(a.path, b.path) > 0;
}

// The machine's own time of day, as the player remembers when they played.
void localDate(int64_t seconds, char date[DEMO_FIELD_SIZE]) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    const std::tm* at   = std::localtime(&t);
    if (!at || std::strftime(date, DEMO_FIELD_SIZE, DATE_FORMAT, at) == 0) date[0] = '\0';
}
} // namespace

void sortNewestFirst(DemoList* list) {
    std::sort(list->entry, list->entry + list->count, newerFirst);
}

void demoListLine(const DemoListEntry& entry, char line[DEMO_LINE_SIZE]) {
    const uint32_t seconds = entry.lengthMs / MS_PER_SECOND_SHOWN;
    std::snprintf(line, DEMO_LINE_SIZE, "%s%c%s%c%d player%s%c%u:%02u", entry.arena,
                  DEMO_LINE_COLUMN_SEPARATOR, entry.date, DEMO_LINE_COLUMN_SEPARATOR, entry.players,
                  entry.players == 1 ? "" : "s", DEMO_LINE_COLUMN_SEPARATOR,
                  seconds / SECONDS_PER_MINUTE, seconds % SECONDS_PER_MINUTE);
}

void readDemoList(const char* folder, DemoList* list) {
    char names[DEMO_LIST_MOST][DEMO_FILE_NAME_BYTES];
    const int found =
        platformFolderNames(folder, DEMO_FILE_END, names[0], DEMO_FILE_NAME_BYTES, DEMO_LIST_MOST);
    list->count = 0;
    for (int i = 0; i < found; ++i) {
        DemoListEntry& e = list->entry[list->count];
        // Windows takes '/' between folders as well.
        std::snprintf(e.path, sizeof e.path, "%s/%s%s", folder, names[i], DEMO_FILE_END);
        DemoFile file;
        char problem[DEMO_PROBLEM_SIZE];
        if (demoReadFile(file, e.path, problem) != DemoProblem::NONE) continue; // not to play
        const DemoHeader& h = file.header;
        std::snprintf(e.arena, sizeof e.arena, "%s", h.arenaName[0] ? h.arenaName : UNIVERSE_TEXT);
        e.startedAt = h.startedAt;
        localDate(h.startedAt, e.date);
        e.players  = std::bitset<MAX_PLAYERS>(file.slotsSeen).count();
        e.lengthMs = static_cast<uint32_t>(file.stepCount) * h.stepMs;
        ++list->count;
    }
    sortNewestFirst(list);
}
