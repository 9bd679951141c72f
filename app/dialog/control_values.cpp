// The dialog's controls and the choices they stand for.
#include "app/dialog/control_values.h"

#include <cstdio>
#include <cstring>

#include "app/dialog/setup_commands.h"

static_assert(SKILL_LEVEL_COUNT == BOT_SKILL_LEVELS, "a name for each skill level");

namespace {
// A spinner's range and the choice it shows.
struct SpinnerRow {
    int id;
    int highest;
    int32_t GameSetup::*value;
};
constexpr SpinnerRow SPINNERS[] = {
    {ID_BOTS,        MAX_BOTS,               &GameSetup::bots            },
    {ID_SCORE_LIMIT, MAX_SCORE_LIMIT,        &GameSetup::scoreLimit      },
    {ID_TIME_LIMIT,  MAX_TIME_LIMIT_MINUTES, &GameSetup::timeLimitMinutes},
};

const SpinnerRow& spinnerRow(int id) {
    for (const SpinnerRow& row : SPINNERS)
        if (row.id == id) return row;
    return SPINNERS[0];
}

// The remembered arena's place in the choice: the list's, then "Rotate".
int arenaIndex(const ArenaList& arenas, const char* arena) {
    for (int k = 0; k < arenas.count; ++k)
        if (std::strcmp(arenas.name[k], arena) == 0) return k;
    return arenas.count;
}

ControlValue& valueOf(ControlValues values, int id) {
    return values[controlIndex(id)];
}
const ControlValue& valueOf(const ControlValues values, int id) {
    return values[controlIndex(id)];
}
} // namespace

int choiceEntries(int id, const ArenaList& arenas, const char* entries[CHOICE_ENTRY_MAX]) {
    if (id != ID_ARENA) {
        for (int k = 0; k < SKILL_LEVEL_COUNT; ++k)
            entries[k] = SKILL_NAMES[k];
        return SKILL_LEVEL_COUNT;
    }
    const int count = arenas.count < MAX_ARENA_CHOICES ? arenas.count : MAX_ARENA_CHOICES;
    for (int k = 0; k < count; ++k)
        entries[k] = arenas.name[k];
    entries[count] = ROTATE_TEXT;
    return count + 1;
}

int spinnerHighest(int id) {
    return spinnerRow(id).highest;
}

int editMaxChars(int id) {
    return id == ID_ADDRESS ? ADDRESS_MAX_CHARS : PLAYER_NAME_CHARS;
}

void setupToControls(const GameSetup& setup, const ArenaList& arenas, ControlValues values) {
    std::memset(values, 0, sizeof(ControlValues));
    for (int r = 0; r < RESOLUTION_COUNT; ++r)
        valueOf(values, resolutionControlId(r)).number = r == setup.resolutionIndex;
    valueOf(values, ID_FULL_SCREEN).number = setup.fullScreen;
    valueOf(values, ID_SOUND).number       = setup.soundEnabled;
    std::snprintf(valueOf(values, ID_ADDRESS).text, SETUP_ADDRESS_SIZE, "%s", setup.address);
    std::snprintf(valueOf(values, ID_NAME).text, SETUP_ADDRESS_SIZE, "%s", setup.name);
    for (const SpinnerRow& row : SPINNERS)
        valueOf(values, row.id).number = setup.*row.value;
    valueOf(values, ID_BOT_SKILL).number = setup.botSkill - 1;
    valueOf(values, ID_ARENA).number     = arenaIndex(arenas, setup.arena);
}

void controlsToSetup(const ControlValues values, const ArenaList& arenas, GameSetup& setup) {
    int resolution = 0;
    while (resolution < RESOLUTION_COUNT - 1 &&
           valueOf(values, resolutionControlId(resolution)).number == 0) {
        ++resolution;
    }
    setup.resolutionIndex = resolution;
    setup.fullScreen      = valueOf(values, ID_FULL_SCREEN).number != 0 ? 1 : 0;
    setup.soundEnabled    = valueOf(values, ID_SOUND).number != 0 ? 1 : 0;
    printableText(valueOf(values, ID_NAME).text, PLAYER_NAME_CHARS, setup.name, sizeof setup.name);
    for (const SpinnerRow& row : SPINNERS) {
        const int n      = valueOf(values, row.id).number;
        setup.*row.value = n < 0 ? 0 : n > row.highest ? row.highest : n;
    }
    const int skill  = valueOf(values, ID_BOT_SKILL).number;
    setup.botSkill   = skill >= 0 && skill < SKILL_LEVEL_COUNT ? skill + 1 : DEFAULT_BOT_SKILL;
    const int arena  = valueOf(values, ID_ARENA).number;
    const char* name = arena >= 0 && arena < arenas.count ? arenas.name[arena] : ROTATE_ARENAS;
    std::snprintf(setup.arena, sizeof setup.arena, "%s", name);
}

const char* typedAddress(const ControlValues values) {
    return valueOf(values, ID_ADDRESS).text;
}
