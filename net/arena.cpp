// The arena's checks and its way into and out of the universe tables.
#include "net/arena.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

// A picture's file name without its ".bmp"; false when it does not end so or is too long.
bool pictureName(const char* fileName, char out[ARENA_TEXTURE_NAME_BYTES + 1]) {
    const size_t length = strnlen(fileName, UNIVERSE_NAME_SIZE);
    const size_t end    = std::strlen(PICTURE_FILE_END);
    if (length < end || length - end > ARENA_TEXTURE_NAME_BYTES) return false;
    if (std::strcmp(fileName + length - end, PICTURE_FILE_END) != 0) return false;
    std::memcpy(out, fileName, length - end);
    out[length - end] = '\0';
    return true;
}
} // namespace

const char* arenaFaultText(ArenaFault fault) {
    switch (fault) {
    case ArenaFault::NONE:
        return "no fault";
    case ArenaFault::SLOT:
        return "an arena record not sent as the host's";
    case ArenaFault::UNEXPECTED:
        return "an arena part with no arena begun before it";
    case ArenaFault::COUNT:
        return "more planets or textures than the tables hold";
    case ArenaFault::INDEX:
        return "a texture or planet number out of range or out of order";
    case ArenaFault::NAME:
        return "a name that is not 1 to 20 (textures 28) letters, digits, _ or -";
    case ArenaFault::NUMBER:
        return "a planet's position, radius or spin is not a number";
    case ArenaFault::RADIUS:
        return "a planet's radius is not above 0 and at most 1000";
    case ArenaFault::TEXTURE:
        return "a planet names a texture the arena does not have";
    case ArenaFault::CHECKSUM:
        return "the arena's CRC-32 does not match its records";
    }
    return "an unknown fault";
}

bool isPlainName(const char* text, int maxChars) {
    int n = 0;
    for (; n <= maxChars && text[n] != '\0'; ++n)
        if (!isNameChar(text[n])) return false;
    return n >= 1 && n <= maxChars;
}

ArenaFault checkArenaPlanet(const ArenaPlanet& planet, int32_t textureCount) {
    const float numbers[] = {planet.pos[0], planet.pos[1], planet.pos[2], planet.radius,
                             planet.spin};
    for (float v : numbers)
        if (!std::isfinite(v)) return ArenaFault::NUMBER;
    if (!(planet.radius > 0.0f && planet.radius <= MAX_ARENA_RADIUS)) return ArenaFault::RADIUS;
    if (planet.texture < 0 || planet.texture >= textureCount) return ArenaFault::TEXTURE;
    return ArenaFault::NONE;
}

ArenaFault checkArena(const ArenaDescription& arena) {
    if (!isPlainName(arena.name, ARENA_NAME_BYTES)) return ArenaFault::NAME;
    if (arena.textureCount < 0 || arena.textureCount > MAX_ARENA_TEXTURES ||
        arena.planetCount < 0 || arena.planetCount > MAX_ARENA_PLANETS)
        return ArenaFault::COUNT;
    for (int t = 0; t < arena.textureCount; ++t)
        if (!isPlainName(arena.texture[t], ARENA_TEXTURE_NAME_BYTES)) return ArenaFault::NAME;
    for (int k = 0; k < arena.planetCount; ++k) {
        const ArenaFault fault = checkArenaPlanet(arena.planet[k], arena.textureCount);
        if (fault != ArenaFault::NONE) return fault;
    }
    return ArenaFault::NONE;
}

ArenaFault arenaFromUniverse(const char* name, const Planets& planets, int32_t planetCount,
                             const UniverseTextures& textures, ArenaDescription* out) {
    *out = ArenaDescription{};
    if (!isPlainName(name, ARENA_NAME_BYTES)) return ArenaFault::NAME;
    std::memcpy(out->name, name, std::strlen(name));
    if (textures.count < 0 || textures.count > MAX_ARENA_TEXTURES || planetCount < 0 ||
        planetCount > MAX_ARENA_PLANETS)
        return ArenaFault::COUNT;
    out->textureCount = textures.count;
    for (int t = 0; t < textures.count; ++t)
        if (!pictureName(textures.fileName[t], out->texture[t])) return ArenaFault::NAME;
    out->planetCount = planetCount;
    for (int k = 0; k < planetCount; ++k) {
        ArenaPlanet& p = out->planet[k];
        std::memcpy(p.pos, planets.pos[k], sizeof p.pos);
        p.radius  = planets.radius[k];
        p.texture = planets.texture[k];
        p.spin    = planets.spin[k];
    }
    return checkArena(*out);
}

void arenaToUniverse(const ArenaDescription& arena, Planets* planets, int32_t* planetCount,
                     UniverseTextures* textures) {
    // Clamped all the same, so that even an unchecked arena stays inside the tables.
    *planetCount = std::clamp(arena.planetCount, 0, MAX_ARENA_PLANETS);
    for (int k = 0; k < *planetCount; ++k) {
        const ArenaPlanet& p = arena.planet[k];
        std::memcpy(planets->pos[k], p.pos, sizeof p.pos);
        planets->radius[k]  = p.radius;
        planets->texture[k] = p.texture;
        planets->spin[k]    = p.spin;
    }
    textures->count = std::clamp(arena.textureCount, 0, MAX_ARENA_TEXTURES);
    for (int t = 0; t < textures->count; ++t)
        std::snprintf(textures->fileName[t], UNIVERSE_NAME_SIZE, "%.*s%s", ARENA_TEXTURE_NAME_BYTES,
                      arena.texture[t], PICTURE_FILE_END);
}
