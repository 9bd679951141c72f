// Listing, loading and rotating the arena files.
#include "step/arena_choice.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/platform.h"
#include "world/world_state.h"

namespace {
constexpr int FOUND_NAME_SIZE = 64; // longer names are no arena's and are passed over
constexpr int ARENA_PATH_SIZE = 64; // the folder, a plain name and the ending

bool classicFirst(const char* a, const char* b) {
    const bool aClassic = std::strcmp(a, CLASSIC_ARENA) == 0;
    const bool bClassic = std::strcmp(b, CLASSIC_ARENA) == 0;
    if (aClassic != bClassic) return aClassic;
    return std::strcmp(a, b) < 0;
}
} // namespace

ArenaList listArenas(const char* folder) {
    static_assert(FOUND_NAME_SIZE > ARENA_NAME_BYTES, "every arena name can be found");
    char found[MAX_ARENA_CHOICES][FOUND_NAME_SIZE];
    const int n = platformFolderNames(folder, ARENA_FILE_END, &found[0][0], FOUND_NAME_SIZE,
                                      MAX_ARENA_CHOICES);
    const char* sorted[MAX_ARENA_CHOICES];
    int count = 0;
    for (int k = 0; k < n; ++k)
        if (isPlainName(found[k], ARENA_NAME_BYTES)) sorted[count++] = found[k];
    std::sort(sorted, sorted + count, classicFirst);
    ArenaList list{};
    list.count = count;
    for (int k = 0; k < count; ++k)
        std::snprintf(list.name[k], sizeof list.name[k], "%s", sorted[k]);
    return list;
}

bool loadArenaFile(const char* name, ArenaDescription* out, char problem[ARENA_PROBLEM_TEXT_SIZE]) {
    if (!isPlainName(name, ARENA_NAME_BYTES)) {
        std::snprintf(problem, ARENA_PROBLEM_TEXT_SIZE,
                      "no arena can be named \"%.40s\": choose a name of letters, digits, _ or -",
                      name);
        return false;
    }
    char path[ARENA_PATH_SIZE];
    std::snprintf(path, sizeof path, "%s/%s%s", ARENA_FOLDER, name, ARENA_FILE_END);
    // A world of its own to read the file into, so the game's stays as it is on failure.
    auto read = std::make_unique<WorldState>();
    resetWorld(*read);
    if (!loadUniverse(*read, path, &read->planetTextures)) {
        std::snprintf(problem, ARENA_PROBLEM_TEXT_SIZE,
                      "cannot read arena %s (%s): %s; choose another arena (voranis --arena "
                      "NAME, or rotate)",
                      name, path, std::strerror(errno));
        return false;
    }
    const ArenaFault fault =
        arenaFromUniverse(name, read->planets, read->planetCount, read->planetTextures, out);
    if (fault == ArenaFault::NONE) return true;
    std::snprintf(problem, ARENA_PROBLEM_TEXT_SIZE,
                  "arena %s (%s) cannot be shared: %s; mend the file or choose another arena", name,
                  path, arenaFaultText(fault));
    return false;
}

const char* arenaForMatch(const ArenaList& list, const char* choice, int number) {
    if (std::strcmp(choice, ROTATE_ARENAS) == 0) {
        if (list.count <= 0) return nullptr;
        return list.name[(std::max(number, 1) - 1) % list.count];
    }
    for (int k = 0; k < list.count; ++k)
        if (std::strcmp(list.name[k], choice) == 0) return list.name[k];
    return nullptr;
}
