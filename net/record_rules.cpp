// The record rules table and what applying each type does.
#include "net/record_rules.h"

#include "net/arena_records.h"
#include "net/arena_use.h"
#include "net/chat_assembly.h"
#include "net/match_record.h"
#include "net/record_words.h"
#include "world/world_state.h"

namespace {
constexpr int CHAT_RECORDS_PER_SECOND = 4; // from one peer, so nobody floods the screens
constexpr uint32_t LOW_16_BITS        = 0xFFFFu;
constexpr uint32_t LOW_8_BITS         = 0xFFu;

bool anything(const NetMessage&) {
    return true;
}
bool namesASlot(const NetMessage& msg) {
    return isValidSlot(netMessageSlot(msg));
}
bool namesARocket(const NetMessage& msg) {
    return namesASlot(msg) && isValidRocket(bitsInt(msg.word[W_INDEX]));
}

void applyNothing(WorldState&, RecordAssembly&, const NetMessage&, uint32_t) {}

void applyState(WorldState& world, RecordAssembly&, const NetMessage& msg, uint32_t nowMs) {
    const int32_t slot   = netMessageSlot(msg);
    Player& p            = world.players[slot];
    const int32_t killer = bitsInt(msg.word[W_KILLER]);
    // A later record of the victim must not wipe a kill this machine has yet to count.
    const bool creditPending = isValidSlot(world.localPlayer) && p.killer == world.localPlayer;
    const bool freshSlot     = p.slot != slot;
    p.slot                   = slot;
    if (!(creditPending && killer == NO_KILLER)) p.killer = killer;
    p.health = bitsInt(msg.word[W_HEALTH]);
    for (int a = 0; a < 3; ++a)
        p.pos[a] = bitsFloat(msg.word[W_POS + a]);
    p.yaw   = bitsFloat(msg.word[W_YAW]);
    p.pitch = bitsFloat(msg.word[W_PITCH]);
    trackRecord(world.tracks[slot], poseOf(p.pos, p.yaw, p.pitch), p.health, freshSlot, nowMs);
    if (creditsAKill(slot, killer)) addKillLine(world.messages, nowMs, killer, slot);
}

void applyRocket(WorldState& world, RecordAssembly&, const NetMessage& msg, uint32_t) {
    Player& p       = world.players[netMessageSlot(msg)];
    const int32_t j = bitsInt(msg.word[W_INDEX]);
    p.rocketLife[j] = bitsInt(msg.word[W_LIFE]);
    for (int a = 0; a < 3; ++a) {
        p.rocketPos[j][a] = bitsFloat(msg.word[W_POS + a]);
        p.rocketVel[j][a] = bitsFloat(msg.word[W_VEL + a]);
    }
}

void applyPlayerInfo(WorldState& world, RecordAssembly&, const NetMessage& msg, uint32_t) {
    char name[PLAYER_NAME_BYTES];
    getBytes(msg, W_NAME, name, PLAYER_NAME_BYTES);
    setPlayerInfo(world.roster, netMessageSlot(msg), bitsInt(msg.word[W_KILLS]),
                  bitsInt(msg.word[W_DEATHS]), name);
}

void applyChat(WorldState& world, RecordAssembly& assembly, const NetMessage& msg, uint32_t nowMs) {
    char text[CHAT_PART_BYTES];
    getBytes(msg, W_TEXT, text, CHAT_PART_BYTES);
    const uint32_t parts = msg.word[W_PARTS];
    const int32_t slot   = netMessageSlot(msg);
    char line[CHAT_TEXT_CHARS + 1];
    if (addChatPart(assembly.chat, slot, parts & LOW_16_BITS, (parts >> 16) & LOW_8_BITS,
                    parts >> 24, text, line))
        addChatLine(world.messages, nowMs, slot, line);
}
} // namespace

// clang-format off
const RecordRule RECORD_RULES[] = {
    // type             fits          sender                   per second               apply
    {MSG_WELCOME,       anything,     RecordSender::ANYONE,    0,                       applyNothing   },
    {MSG_STATE,         namesASlot,   RecordSender::OWN_SLOT,  0,                       applyState     },
    {MSG_ROCKET,        namesARocket, RecordSender::OWN_SLOT,  0,                       applyRocket    },
    {MSG_SERVER_FULL,   anything,     RecordSender::ANYONE,    0,                       applyNothing   },
    {MSG_PLAYER_INFO,   namesASlot,   RecordSender::OWN_SLOT,  0,                       applyPlayerInfo},
    {MSG_CHAT,          namesASlot,   RecordSender::OWN_SLOT,  CHAT_RECORDS_PER_SECOND, applyChat      },
    {MSG_HEARTBEAT,     anything,     RecordSender::HOST_ONLY, 0,                       applyNothing   },
    // Each reader below checks its record whole and says why one is refused.
    {MSG_ARENA,         anything,     RecordSender::HOST_ONLY, 0,                       applyArenaRecord},
    {MSG_ARENA_TEXTURE, anything,     RecordSender::HOST_ONLY, 0,                       applyArenaRecord},
    {MSG_ARENA_PLANET,  anything,     RecordSender::HOST_ONLY, 0,                       applyArenaRecord},
    {MSG_MATCH,         anything,     RecordSender::HOST_ONLY, 0,                       applyMatchRecord},
};
// clang-format on
const int RECORD_RULE_COUNT = sizeof RECORD_RULES / sizeof RECORD_RULES[0];
static_assert(sizeof RECORD_RULES / sizeof RECORD_RULES[0] <= RECORD_RULES_MAX,
              "tallies hold every row");

int recordRuleIndex(int32_t type) {
    for (int n = 0; n < RECORD_RULE_COUNT; ++n) {
        if (RECORD_RULES[n].type == type) return n;
    }
    return -1;
}

const RecordRule* findRecordRule(int32_t type) {
    const int n = recordRuleIndex(type);
    return n < 0 ? nullptr : &RECORD_RULES[n];
}

bool netMessageFitsTables(const NetMessage& msg) {
    const RecordRule* rule = findRecordRule(netMessageType(msg));
    return rule == nullptr || rule->fits(msg);
}

void applyNetMessage(WorldState& world, RecordAssembly& assembly, const NetMessage& msg,
                     uint32_t nowMs) {
    const RecordRule* rule = findRecordRule(netMessageType(msg));
    if (rule != nullptr && rule->fits(msg)) rule->apply(world, assembly, msg, nowMs);
}
