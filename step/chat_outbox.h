// The chat parts on their way to the others: a fixed queue that leaves no faster than the
// host passes chat on.
#pragma once

#include <cstdint>

#include "net/net_message.h"

#include "step/record_out.h"

constexpr int CHAT_SENDS_PER_SECOND    = 4; // records; the host relays no more from one peer
constexpr uint32_t CHAT_SEND_WINDOW_MS = 1000;
constexpr int CHAT_OUTBOX_SIZE = 4 * CHAT_PARTS_MAX; // a few lines typed in quick succession

// The parts waiting and this second's budget; a fresh ChatOutbox{} holds none.
struct ChatOutbox {
    NetMessage part[CHAT_OUTBOX_SIZE];
    int count;
    uint32_t windowStartMs;
    int sentInWindow;
    bool windowRunning;
};

// Queues a line's parts; those that find the queue full are dropped.
void queueChatParts(ChatOutbox& outbox, const NetMessage* parts, int count);
// Sends the parts waiting, within the budget; once a step.
void deliverChat(ChatOutbox& outbox, const RecordOut& out, uint32_t nowMs);
