// The arenas in the game folder (arenas/NAME.uni) and the host's choice among them: one by
// name, or each match the next in turn, the classic universe first and the rest sorted.
#pragma once

#include "net/arena.h"

constexpr int MAX_ARENA_CHOICES       = 32;
constexpr const char* ROTATE_ARENAS   = "rotate";
constexpr const char* CLASSIC_ARENA   = "classic";
constexpr int ARENA_PROBLEM_TEXT_SIZE = 320;

struct ArenaList {
    int count;
    char name[MAX_ARENA_CHOICES][ARENA_NAME_BYTES + 1];
};

// The arena files' names found in folder (plain names only), classic first, then sorted.
ArenaList listArenas(const char* folder);

// arenas/NAME.uni of the current folder as an arena; false, with what failed and what to do
// in problem, when it cannot be read or is not a usable arena.
bool loadArenaFile(const char* name, ArenaDescription* out, char problem[ARENA_PROBLEM_TEXT_SIZE]);

// The arena of match number `number` (from 1) under choice: the named one, or the list's in
// turn for "rotate"; nullptr when choice names no arena in the list.
const char* arenaForMatch(const ArenaList& list, const char* choice, int number);
