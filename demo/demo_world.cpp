// The world a replay begins from, field by field in a fixed order, and its digest over the same
// bytes; every index it reads back is checked against its table.
#include <cstdio>

#include "demo/demo_file.h"
#include "demo/demo_format.h"
#include "net/crc32.h"
#include "step/step_state.h"
#include "world/world_state.h"

namespace {
void putPlayer(ByteOut& out, const Player& p) {
    putI32(out, p.slot);
    putI32(out, p.health);
    putI32(out, p.killer);
    for (int a = 0; a < 3; ++a)
        putF32(out, p.pos[a]);
    for (int a = 0; a < 3; ++a)
        putF32(out, p.vel[a]);
    putF32(out, p.yaw);
    putF32(out, p.pitch);
    for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
        putI32(out, p.rocketLife[j]);
        for (int a = 0; a < 3; ++a)
            putF32(out, p.rocketPos[j][a]);
        for (int a = 0; a < 3; ++a)
            putF32(out, p.rocketVel[j][a]);
    }
}

void getPlayer(ByteIn& in, Player& p) {
    p.slot   = getI32(in);
    p.health = getI32(in);
    p.killer = getI32(in);
    for (int a = 0; a < 3; ++a)
        p.pos[a] = getF32(in);
    for (int a = 0; a < 3; ++a)
        p.vel[a] = getF32(in);
    p.yaw   = getF32(in);
    p.pitch = getF32(in);
    for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
        p.rocketLife[j] = getI32(in);
        for (int a = 0; a < 3; ++a)
            p.rocketPos[j][a] = getF32(in);
        for (int a = 0; a < 3; ++a)
            p.rocketVel[j][a] = getF32(in);
    }
}

bool slotOrNone(int32_t slot, int32_t none) {
    return slot == none || isValidSlot(slot);
}

bool refuse(char* problem, size_t size, const char* what) {
    std::snprintf(problem, size, "the world it begins with is damaged (%s)", what);
    return false;
}
} // namespace

void putDemoWorld(ByteOut& out, const WorldState& world, bool textures) {
    for (int i = 0; i < MAX_PLAYERS; ++i)
        putPlayer(out, world.players[i]);
    putI32(out, world.planetCount);
    // Planets past the count are never read, and may hold anything: zeros stand for them.
    for (int k = 0; k < MAX_PLANETS; ++k) {
        const bool used = k < world.planetCount;
        for (int a = 0; a < 3; ++a)
            putF32(out, used ? world.planets.pos[k][a] : 0.0f);
        putF32(out, used ? world.planets.radius[k] : 0.0f);
        putI32(out, used && textures ? world.planets.texture[k] : 0);
        putF32(out, used ? world.planets.spin[k] : 0.0f);
    }
    putI32(out, textures ? world.planetTextureBase : 0);
    putI32(out, world.localPlayer);
    putI32(out, world.localScore);
    putF32(out, world.spinAngle);
    putF32(out, world.pulseAngle);
    const Roster& r = world.roster;
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        putU8(out, r.known[i] ? 1 : 0);
        putI32(out, r.kills[i]);
        putI32(out, r.deaths[i]);
        putText(out, r.name[i], PLAYER_NAME_BYTES);
    }
    putI32(out, r.localDeaths);
    putText(out, r.localName, PLAYER_NAME_CHARS);
    const MatchState& m = world.match;
    putI32(out, m.rules.scoreLimit);
    putI32(out, m.rules.timeLimitMinutes);
    putI32(out, static_cast<int32_t>(m.phase));
    putI32(out, m.number);
    putU32(out, m.startedAtMs);
    putU32(out, m.endedAtMs);
    putI32(out, m.winner);
    for (int i = 0; i < MAX_PLAYERS; ++i)
        putI32(out, m.kills[i]);
    for (int i = 0; i < MAX_PLAYERS; ++i)
        putU8(out, m.alive[i] ? 1 : 0);
    const MatchView& v = world.matchView;
    putI32(out, static_cast<int32_t>(v.phase));
    putI32(out, v.secondsLeft);
    putI32(out, v.number);
    putI32(out, v.winner);
    putU8(out, world.awaitingHostWorld ? 1 : 0);
}

bool getDemoWorld(ByteIn& in, WorldState& world, char* problem, size_t problemSize) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        Player& p = world.players[i];
        getPlayer(in, p);
        if (p.slot >= 0 && p.slot != i) return refuse(problem, problemSize, "a player's slot");
        if (!slotOrNone(p.killer, NO_KILLER)) return refuse(problem, problemSize, "a killer");
    }
    world.planetCount = getI32(in);
    if (world.planetCount < 0 || world.planetCount > MAX_PLANETS)
        return refuse(problem, problemSize, "the planet count");
    for (int k = 0; k < MAX_PLANETS; ++k) {
        for (int a = 0; a < 3; ++a)
            world.planets.pos[k][a] = getF32(in);
        world.planets.radius[k]  = getF32(in);
        world.planets.texture[k] = getI32(in);
        world.planets.spin[k]    = getF32(in);
    }
    world.planetTextureBase = getI32(in);
    world.localPlayer       = getI32(in);
    if (!slotOrNone(world.localPlayer, FREE_SLOT))
        return refuse(problem, problemSize, "the local slot");
    world.localScore = getI32(in);
    world.spinAngle  = getF32(in);
    world.pulseAngle = getF32(in);
    Roster& r        = world.roster;
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        r.known[i]  = getU8(in) != 0;
        r.kills[i]  = getI32(in);
        r.deaths[i] = getI32(in);
        getText(in, r.name[i], PLAYER_NAME_BYTES);
    }
    r.localDeaths = getI32(in);
    getText(in, r.localName, PLAYER_NAME_CHARS);
    MatchState& m            = world.match;
    m.rules.scoreLimit       = getI32(in);
    m.rules.timeLimitMinutes = getI32(in);
    const int32_t phase      = getI32(in);
    m.number                 = getI32(in);
    m.startedAtMs            = getU32(in);
    m.endedAtMs              = getU32(in);
    m.winner                 = getI32(in);
    for (int i = 0; i < MAX_PLAYERS; ++i)
        m.kills[i] = getI32(in);
    for (int i = 0; i < MAX_PLAYERS; ++i)
        m.alive[i] = getU8(in) != 0;
    MatchView& v            = world.matchView;
    const int32_t viewPhase = getI32(in);
    v.secondsLeft           = getI32(in);
    v.number                = getI32(in);
    v.winner                = getI32(in);
    world.awaitingHostWorld = getU8(in) != 0;
    const bool phasesFit    = (phase == 0 || phase == 1) && (viewPhase == 0 || viewPhase == 1);
    if (!phasesFit || !matchRulesFit(m.rules) || !slotOrNone(m.winner, NO_WINNER) ||
        !slotOrNone(v.winner, NO_WINNER))
        return refuse(problem, problemSize, "the match");
    m.phase = static_cast<MatchPhase>(phase);
    v.phase = static_cast<MatchPhase>(viewPhase);
    return !in.ranShort || refuse(problem, problemSize, "its length");
}

void putDemoStepState(ByteOut& out, const StepState& state) {
    const Announcement& a = state.announced;
    putU8(out, a.announced ? 1 : 0);
    putI32(out, a.sentSlot);
    putI32(out, a.sentKills);
    putI32(out, a.sentDeaths);
    putU32(out, a.announcedAt);
    const ChatOutbox& c = state.chat;
    putI32(out, c.count);
    for (int n = 0; n < c.count; ++n)
        putRecord(out, c.part[n]);
    putU32(out, c.windowStartMs);
    putI32(out, c.sentInWindow);
    putU8(out, c.windowRunning ? 1 : 0);
    const HostMatch& h = state.host;
    putU8(out, h.recordSent ? 1 : 0);
    putU32(out, h.recordSentMs);
    putI32(out, static_cast<int32_t>(h.lastRecord.phase));
    putI32(out, h.lastRecord.rules.scoreLimit);
    putI32(out, h.lastRecord.rules.timeLimitMinutes);
    putI32(out, h.lastRecord.secondsLeft);
    putI32(out, h.lastRecord.number);
    putI32(out, h.lastRecord.winner);
    putI32(out, h.recordCount);
    for (int n = 0; n < h.recordCount; ++n)
        putRecord(out, h.records[n]);
}

bool getDemoStepState(ByteIn& in, StepState& state, char* problem, size_t problemSize) {
    Announcement& a = state.announced;
    a.announced     = getU8(in) != 0;
    a.sentSlot      = getI32(in);
    a.sentKills     = getI32(in);
    a.sentDeaths    = getI32(in);
    a.announcedAt   = getU32(in);
    ChatOutbox& c   = state.chat;
    c.count         = getI32(in);
    if (c.count < 0 || c.count > CHAT_OUTBOX_SIZE) return refuse(problem, problemSize, "the chat");
    for (int n = 0; n < c.count; ++n)
        c.part[n] = getRecord(in);
    c.windowStartMs          = getU32(in);
    c.sentInWindow           = getI32(in);
    c.windowRunning          = getU8(in) != 0;
    HostMatch& h             = state.host;
    h.recordSent             = getU8(in) != 0;
    h.recordSentMs           = getU32(in);
    const int32_t phase      = getI32(in);
    h.lastRecord.phase       = phase == 1 ? MatchPhase::INTERMISSION : MatchPhase::PLAYING;
    h.lastRecord.rules       = MatchRules{getI32(in), getI32(in)};
    h.lastRecord.secondsLeft = getI32(in);
    h.lastRecord.number      = getI32(in);
    h.lastRecord.winner      = getI32(in);
    h.recordCount            = getI32(in);
    if (h.recordCount < 0 || h.recordCount > MAX_ARENA_RECORDS)
        return refuse(problem, problemSize, "the arena's records");
    for (int n = 0; n < h.recordCount; ++n)
        h.records[n] = getRecord(in);
    if (in.ranShort || in.used != in.size) return refuse(problem, problemSize, "its length");
    return true;
}

uint32_t demoWorldDigest(const WorldState& world) {
    uint8_t bytes[DEMO_WORLD_BYTES];
    ByteOut out{bytes, sizeof bytes, 0, false};
    putDemoWorld(out, world, false);
    return crc32(0, bytes, out.used);
}
