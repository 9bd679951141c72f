// The arena records: byte layout, building them, and putting an arena back together.
//
//   bytes   word  MSG_ARENA (3003)      MSG_ARENA_TEXTURE (3004)  MSG_ARENA_PLANET (3005)
//   0-3     0     type 3003             type 3004                 type 3005
//   4-7     1     slot 0 (the host)     slot 0                    slot 0
//   8-11    2     planet count 0-50     texture number 0-19       planet index 0-49
//   12-15   3     texture count 0-20    name bytes 0-3            x (float)
//   16-19   4     CRC-32 (uint)         name bytes 4-7            y (float)
//   20-23   5     name bytes 0-3        name bytes 8-11           z (float)
//   24-27   6     name bytes 4-7        name bytes 12-15          radius (float)
//   28-31   7     name bytes 8-11       name bytes 16-19          texture number (int)
//   32-35   8     name bytes 12-15      name bytes 20-23          spin (float)
//   36-39   9     name bytes 16-19      name bytes 24-27          zero
//
//   The arena's name (20 bytes) and a texture's name (28 bytes, the picture without ".bmp")
//   are zero-padded and hold only letters, digits, '_' and '-'. The header comes first, then
//   every texture by number, then every planet by index; the header's CRC-32 (zlib's) runs
//   over the 40 encoded bytes of each of those in that order. A joiner takes an arena only
//   when all its parts came in order, each within the tables with finite numbers and a
//   radius above 0 and at most 1000, and the CRC matches. Peers that do not know these
//   types ignore them.
#include "net/arena_records.h"

#include <cstring>

#include "net/crc32.h"

namespace {
constexpr int W_TYPE           = 0;
constexpr int W_SLOT           = 1;
constexpr int W_PLANETS        = 2; // header
constexpr int W_TEXTURES       = 3; // header
constexpr int W_CRC            = 4; // header
constexpr int W_ARENA_NAME     = 5; // header: five words
constexpr int W_NUMBER         = 2; // texture or planet
constexpr int W_TEXTURE_NAME   = 3; // texture: seven words
constexpr int W_POS            = 3; // planet: three words
constexpr int W_RADIUS         = 6; // planet
constexpr int W_PLANET_TEXTURE = 7; // planet
constexpr int W_SPIN           = 8; // planet

uint32_t floatBits(float f) {
    uint32_t w;
    std::memcpy(&w, &f, sizeof w);
    return w;
}

float bitsFloat(uint32_t w) {
    float f;
    std::memcpy(&f, &w, sizeof f);
    return f;
}

int32_t wordInt(const NetMessage& msg, int word) {
    return static_cast<int32_t>(msg.word[word]);
}

NetMessage arenaMessage(int32_t type, int32_t number) {
    NetMessage msg{};
    msg.word[W_TYPE]   = static_cast<uint32_t>(type);
    msg.word[W_SLOT]   = static_cast<uint32_t>(ARENA_SLOT);
    msg.word[W_NUMBER] = static_cast<uint32_t>(number);
    return msg;
}

// A name into consecutive words, least significant byte first, zero-padded.
void putName(NetMessage& msg, int firstWord, const char* name, int bytes) {
    for (int k = 0; k < bytes && name[k] != '\0'; ++k)
        msg.word[firstWord + k / 4] |= uint32_t(static_cast<uint8_t>(name[k])) << (8 * (k % 4));
}

// The name out of its words; false unless it is plain and nothing but zeros follows it.
bool getName(const NetMessage& msg, int firstWord, int bytes, char* out) {
    bool ended = false;
    for (int k = 0; k < bytes; ++k) {
        out[k] = static_cast<char>(msg.word[firstWord + k / 4] >> (8 * (k % 4)));
        if (ended && out[k] != '\0') return false;
        ended = ended || out[k] == '\0';
    }
    out[bytes] = '\0';
    return isPlainName(out, bytes);
}

ArenaPlanet planetOf(const NetMessage& msg) {
    ArenaPlanet p;
    for (int a = 0; a < 3; ++a)
        p.pos[a] = bitsFloat(msg.word[W_POS + a]);
    p.radius  = bitsFloat(msg.word[W_RADIUS]);
    p.texture = wordInt(msg, W_PLANET_TEXTURE);
    p.spin    = bitsFloat(msg.word[W_SPIN]);
    return p;
}

ArenaStep refuse(ArenaAssembly& a, ArenaFault fault) {
    a.open  = false;
    a.fault = fault;
    return ArenaStep::REFUSED;
}

ArenaStep takeHeader(ArenaAssembly& a, const NetMessage& msg) {
    resetArenaAssembly(a);
    ArenaDescription& arena = a.arena;
    arena.planetCount       = wordInt(msg, W_PLANETS);
    arena.textureCount      = wordInt(msg, W_TEXTURES);
    if (arena.planetCount < 0 || arena.planetCount > MAX_ARENA_PLANETS || arena.textureCount < 0 ||
        arena.textureCount > MAX_ARENA_TEXTURES)
        return refuse(a, ArenaFault::COUNT);
    if (!getName(msg, W_ARENA_NAME, ARENA_NAME_BYTES, arena.name))
        return refuse(a, ArenaFault::NAME);
    a.announcedCrc = msg.word[W_CRC];
    a.open         = true;
    return ArenaStep::STARTED;
}

// A texture or planet in its place; NONE when it fits.
ArenaFault takePart(ArenaAssembly& a, const NetMessage& msg) {
    ArenaDescription& arena = a.arena;
    const int32_t number    = wordInt(msg, W_NUMBER);
    if (wordInt(msg, W_TYPE) == MSG_ARENA_TEXTURE) {
        if (number != a.texturesIn || number >= arena.textureCount) return ArenaFault::INDEX;
        if (!getName(msg, W_TEXTURE_NAME, ARENA_TEXTURE_NAME_BYTES, arena.texture[number]))
            return ArenaFault::NAME;
        a.texturesIn += 1;
        return ArenaFault::NONE;
    }
    if (a.texturesIn < arena.textureCount || number != a.planetsIn || number >= arena.planetCount)
        return ArenaFault::INDEX;
    const ArenaPlanet planet = planetOf(msg);
    const ArenaFault fault   = checkArenaPlanet(planet, arena.textureCount);
    if (fault != ArenaFault::NONE) return fault;
    arena.planet[number] = planet;
    a.planetsIn += 1;
    return ArenaFault::NONE;
}

ArenaStep finishIfWhole(ArenaAssembly& a, ArenaStep step, ArenaDescription* complete) {
    if (!a.open || a.texturesIn < a.arena.textureCount || a.planetsIn < a.arena.planetCount)
        return step;
    if (a.crc != a.announcedCrc) return refuse(a, ArenaFault::CHECKSUM);
    a.open    = false;
    *complete = a.arena;
    return ArenaStep::COMPLETE;
}
} // namespace

uint32_t arenaRecordsCrc(const NetMessage* parts, int count) {
    uint32_t crc = 0;
    for (int k = 0; k < count; ++k) {
        uint8_t bytes[NET_RECORD_SIZE];
        encodeNetMessage(parts[k], bytes);
        crc = crc32(crc, bytes, sizeof bytes);
    }
    return crc;
}

int makeArenaMessages(const ArenaDescription& arena, NetMessage out[MAX_ARENA_RECORDS]) {
    if (checkArena(arena) != ArenaFault::NONE) return 0;
    int n = 1;
    for (int t = 0; t < arena.textureCount; ++t) {
        NetMessage& msg = out[n++] = arenaMessage(MSG_ARENA_TEXTURE, t);
        putName(msg, W_TEXTURE_NAME, arena.texture[t], ARENA_TEXTURE_NAME_BYTES);
    }
    for (int k = 0; k < arena.planetCount; ++k) {
        const ArenaPlanet& p = arena.planet[k];
        NetMessage& msg = out[n++] = arenaMessage(MSG_ARENA_PLANET, k);
        for (int a = 0; a < 3; ++a)
            msg.word[W_POS + a] = floatBits(p.pos[a]);
        msg.word[W_RADIUS]         = floatBits(p.radius);
        msg.word[W_PLANET_TEXTURE] = static_cast<uint32_t>(p.texture);
        msg.word[W_SPIN]           = floatBits(p.spin);
    }
    NetMessage& header = out[0] = arenaMessage(MSG_ARENA, 0);
    header.word[W_PLANETS]      = static_cast<uint32_t>(arena.planetCount);
    header.word[W_TEXTURES]     = static_cast<uint32_t>(arena.textureCount);
    header.word[W_CRC]          = arenaRecordsCrc(out + 1, n - 1);
    putName(header, W_ARENA_NAME, arena.name, ARENA_NAME_BYTES);
    return n;
}

void resetArenaAssembly(ArenaAssembly& assembly) {
    assembly = ArenaAssembly{};
}

ArenaStep addArenaRecord(ArenaAssembly& assembly, const NetMessage& msg,
                         ArenaDescription* complete) {
    const int32_t type = netMessageType(msg);
    if (type != MSG_ARENA && type != MSG_ARENA_TEXTURE && type != MSG_ARENA_PLANET)
        return ArenaStep::OTHER_TYPE;
    if (netMessageSlot(msg) != ARENA_SLOT) return refuse(assembly, ArenaFault::SLOT);
    if (type == MSG_ARENA) return finishIfWhole(assembly, takeHeader(assembly, msg), complete);
    if (!assembly.open) return refuse(assembly, ArenaFault::UNEXPECTED);
    const ArenaFault fault = takePart(assembly, msg);
    if (fault != ArenaFault::NONE) return refuse(assembly, fault);
    uint8_t bytes[NET_RECORD_SIZE];
    encodeNetMessage(msg, bytes);
    assembly.crc   = crc32(assembly.crc, bytes, sizeof bytes);
    assembly.fault = ArenaFault::NONE;
    return finishIfWhole(assembly, ArenaStep::TAKEN, complete);
}
