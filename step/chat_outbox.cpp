// The outgoing chat parts: a fixed queue and a per-second budget.
#include "step/chat_outbox.h"

#include <cstring>

void queueChatParts(ChatOutbox& outbox, const NetMessage* parts, int count) {
    for (int p = 0; p < count && outbox.count < CHAT_OUTBOX_SIZE; ++p)
        outbox.part[outbox.count++] = parts[p];
}

void deliverChat(ChatOutbox& outbox, const RecordOut& out, uint32_t nowMs) {
    if (!outbox.windowRunning || nowMs - outbox.windowStartMs >= CHAT_SEND_WINDOW_MS) {
        outbox.windowRunning = true;
        outbox.windowStartMs = nowMs;
        outbox.sentInWindow  = 0;
    }
    int sent = 0;
    while (sent < outbox.count && outbox.sentInWindow < CHAT_SENDS_PER_SECOND) {
        sendRecord(out, outbox.part[sent++]);
        ++outbox.sentInWindow;
    }
    std::memmove(outbox.part, outbox.part + sent,
                 sizeof(NetMessage) * static_cast<size_t>(outbox.count - sent));
    outbox.count -= sent;
}
