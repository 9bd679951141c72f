// The dialog's list of recorded games: every demo in the folder with its arena, date, players
// and length, newest first, one line each.
#pragma once

#include <cstdint>

#include "demo/demo_folder.h"

constexpr int DEMO_LIST_MOST              = 64; // the folder keeps fewer
constexpr int DEMO_FIELD_SIZE             = 32;
constexpr int DEMO_LINE_SIZE              = 4 * DEMO_FIELD_SIZE;
constexpr char DEMO_LINE_COLUMN_SEPARATOR = '\t';
constexpr const char* NO_DEMOS_TEXT = "No recorded games yet: every game you play is recorded";

struct DemoListEntry {
    char path[DEMO_PATH_BYTES];
    char arena[DEMO_FIELD_SIZE];
    int64_t startedAt;          // seconds since 1970, UTC
    char date[DEMO_FIELD_SIZE]; // "YYYY-MM-DD HH:MM", local time
    int players;
    uint32_t lengthMs;
};

struct DemoList {
    int count;
    DemoListEntry entry[DEMO_LIST_MOST];
};

// Reads the demos of folder that can be played (a damaged file is left out), newest first.
void readDemoList(const char* folder, DemoList* list);
// Newest first: by the time recording began, then by path, both falling.
void sortNewestFirst(DemoList* list);
// "ARENA\tDATE\tN players\tM:SS".
void demoListLine(const DemoListEntry& entry, char line[DEMO_LINE_SIZE]);
