// The host's side: connection slots (slot i serves player slot i; slot 0 is the host
// itself), accepting, reading and relaying, sending to every peer, dropping silent peers.
#pragma once

#include <cstdint>

#include "net/net.h"
#include "net/net_session.h"

struct WorldState;

constexpr int FIRST_PEER_SLOT       = 1;
constexpr int32_t FIRST_COUNTDOWN   = 1000; // a newly accepted peer
constexpr int32_t REFILL_COUNTDOWN  = 500;  // after each record from the peer
constexpr uint32_t RECORD_BUDGET_MS = 1000; // a rate-limited type's count starts again

bool hostOpen(NetSession& session, int port, const char* version,
              char addressText[NET_ADDRESS_TEXT_SIZE], char problem[NET_ENDING_TEXT_SIZE]);
void hostExchange(NetSession& session, WorldState& world, uint32_t nowMs);
void hostSend(NetSession& session, const uint8_t record[NET_RECORD_SIZE]);
// To the peer in one slot only; nothing for a slot without one.
void hostSendTo(NetSession& session, int32_t slot, const uint8_t record[NET_RECORD_SIZE]);
// The slots welcomed since the last call; one bit a slot.
uint32_t hostTakeWelcomedSlots(NetSession& session);
void hostWait(NetSession& session, uint32_t nowMs, uint32_t microseconds);
void hostServeDiscovery(NetSession& session, uint32_t nowMs);
void hostTellArena(NetSession& session, const char* name); // in discovery replies; "" for none
void hostClose(NetSession& session);
// A dedicated server: discovery tells this name and counts no player of the host's own.
void hostAsServer(NetSession& session, const char* name);
// "a.b.c.d:port" of the peer in slot i; false ("?") for a free slot.
bool hostPeerAddress(const NetSession& session, int i, char text[NET_ADDRESS_TEXT_SIZE]);
// Of the slots given up since the last call, those whose peer closed its connection (the
// others fell silent); one bit a slot.
uint32_t hostTakeLeftSlots(NetSession& session);
void closeHostPeers(NetSession& session);
// Applies a peer's record it accepted; kills are counted here, where every peer's state
// record is applied, from the victim's own record.
void hostApplyRecord(NetSession& session, WorldState& world, const NetMessage& msg, uint32_t nowMs);
// A new peer takes slot: nothing is known of its player yet, and the step sends it the match.
void hostTakeSlot(NetSession& session, WorldState& world, int32_t slot);
// Frees in the world the slots of peers dropped since the last call; one bit a slot.
uint32_t hostFreeDroppedSlots(NetSession& session, WorldState& world);
