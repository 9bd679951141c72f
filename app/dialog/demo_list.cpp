// The recorded games' list: the folder's demos read for their headers, newest first.
#include "app/dialog/demo_list.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "demo/demo_file.h"
#include "platform/platform.h"

namespace {
constexpr uint32_t MS_PER_SECOND_SHOWN   = 1000;
constexpr uint32_t SECONDS_PER_MINUTE    = 60;
constexpr int NAME_SIZE                  = 128; // a demo's file name, without its ending

bool newerFirst(const DemoListEntry& a, const DemoListEntry& b) {
    const int byDate = std::strcmp(a.date, b.date);
    if (byDate != 0) return byDate > 0;
    return std::strcmp(a.path, b.path) > 0;
}
} // namespace

void sortNewestFirst(DemoList* list) {
    std::sort(list->entry, list->entry + list->count, newerFirst);
}

void demoListLine(const DemoListEntry& entry, char line[DEMO_LINE_SIZE]) {
    const uint32_t seconds = entry.lengthMs / MS_PER_SECOND_SHOWN;
    std::snprintf(line, DEMO_LINE_SIZE, "%s%c%s%c%d player%s%c%u:%02u", entry.arena,
                  DEMO_LINE_COLUMN_SEPARATOR, entry.date, DEMO_LINE_COLUMN_SEPARATOR,
                  entry.players, entry.players == 1 ? "" : "s", DEMO_LINE_COLUMN_SEPARATOR,
                  seconds / SECONDS_PER_MINUTE, seconds % SECONDS_PER_MINUTE);
}

void readDemoList(const char* folder, DemoList* list) {
    static_assert(sizeof(DemoList::entry) / sizeof(DemoListEntry) == DEMO_LIST_MOST);
    char names[DEMO_LIST_MOST][NAME_SIZE];
    const int found = platformFolderNames(folder, DEMO_FILE_END, names[0], NAME_SIZE,
                                          DEMO_LIST_MOST);
    list->count = 0;
    for (int i = 0; i < found; ++i) {
        DemoListEntry& e = list->entry[list->count];
        std::snprintf(e.path, sizeof e.path, "%s%s%s", folder, names[i], DEMO_FILE_END);
        DemoSummary summary;
        char problem[DEMO_PROBLEM_SIZE];
        if (!readDemoSummary(e.path, &summary, problem)) continue; // not a demo to play
        std::snprintf(e.arena, sizeof e.arena, "%s", summary.arena);
        std::snprintf(e.date, sizeof e.date, "%s", summary.date);
        e.players  = summary.players;
        e.lengthMs = summary.steps * summary.stepMs;
        ++list->count;
    }
    sortNewestFirst(list);
}
