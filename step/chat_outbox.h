// The chat parts on their way to the others: a fixed queue that leaves no faster than the
// host passes chat on.
#pragma once

#include <cstdint>

#include "net/net_message.h"

struct NetSession;

constexpr int CHAT_SENDS_PER_SECOND    = 4; // records; the host relays no more from one peer
constexpr uint32_t CHAT_SEND_WINDOW_MS = 1000;

// Queues a line's parts; those that find the queue full are dropped.
void queueChatParts(const NetMessage* parts, int count);
// Sends the parts waiting, within the budget; once a step.
void deliverChat(NetSession& net, uint32_t nowMs);
void resetChatOutbox();
