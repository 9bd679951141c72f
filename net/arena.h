// An arena as the host shares it: a name, the planets' picture names and the planets. The
// host reads it from a universe file (arenas/NAME.uni in the game folder); a joiner puts it
// into its planets table and texture names. Only arenas that keep within the tables and hold
// sensible numbers are sent or taken.
#pragma once

#include <cstdint>

#include "world/universe.h"
#include "world/world_state.h"

constexpr int ARENA_NAME_BYTES         = 20; // as the name travels
constexpr int ARENA_TEXTURE_NAME_BYTES = 28; // a picture's name without ".bmp"
constexpr int MAX_ARENA_TEXTURES       = 20;
constexpr int MAX_ARENA_PLANETS        = MAX_PLANETS;
constexpr float MAX_ARENA_RADIUS       = 1000.0f;
constexpr const char* ARENA_FOLDER     = "arenas"; // in the game folder: NAME.uni each
constexpr const char* ARENA_FILE_END   = ".uni";
constexpr const char* PICTURE_FILE_END = ".bmp";

struct ArenaPlanet {
    float pos[3];
    float radius;
    int32_t texture; // index into the arena's textures
    float spin;
};

struct ArenaDescription {
    char name[ARENA_NAME_BYTES + 1];
    int32_t textureCount;
    char texture[MAX_ARENA_TEXTURES][ARENA_TEXTURE_NAME_BYTES + 1];
    int32_t planetCount;
    ArenaPlanet planet[MAX_ARENA_PLANETS];
};

// Why an arena, or one of its records, is refused.
enum class ArenaFault : uint8_t {
    NONE,
    SLOT,       // an arena record that does not come as the host's (slot 0)
    UNEXPECTED, // a texture or planet with no arena begun, or after it was done or refused
    COUNT,      // more planets or textures than the tables hold, or fewer than none
    INDEX,      // a texture or planet number out of range or out of order
    NAME,       // a name empty, too long, or not only letters, digits, '_' and '-'
    NUMBER,     // a coordinate, radius or spin that is not a finite number
    RADIUS,     // a radius of 0 or less, or over MAX_ARENA_RADIUS
    TEXTURE,    // a planet naming a texture the arena does not have
    CHECKSUM,   // the arena was whole but its CRC differs from the one announced
};

// What went wrong, for a log line.
const char* arenaFaultText(ArenaFault fault);

// 1 to maxChars letters, digits, '_' or '-', then the terminating zero.
bool isPlainName(const char* text, int maxChars);

ArenaFault checkArenaPlanet(const ArenaPlanet& planet, int32_t textureCount);
// The name, counts, every texture name and every planet.
ArenaFault checkArena(const ArenaDescription& arena);

// The arena a universe file made: its planets and picture names (each ending in ".bmp"),
// under name. The result is checked; anything but NONE leaves *out unusable.
ArenaFault arenaFromUniverse(const char* name, const Planets& planets, int32_t planetCount,
                             const UniverseTextures& textures, ArenaDescription* out);

// A checked arena into the tables a universe file fills: the planets and the picture file
// names (with ".bmp") in texture order.
void arenaToUniverse(const ArenaDescription& arena, Planets* planets, int32_t* planetCount,
                     UniverseTextures* textures);
