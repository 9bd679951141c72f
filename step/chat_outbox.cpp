// The outgoing chat parts: a fixed queue and a per-second budget.
#include "step/chat_outbox.h"

#include <cstring>

#include "net/net.h"

namespace {
constexpr int OUTBOX_SIZE = 4 * CHAT_PARTS_MAX; // a few lines typed in quick succession

NetMessage outbox[OUTBOX_SIZE];
int outboxCount        = 0;
uint32_t windowStartMs = 0;
int sentInWindow       = 0;
bool windowRunning     = false;
} // namespace

void queueChatParts(const NetMessage* parts, int count) {
    for (int p = 0; p < count && outboxCount < OUTBOX_SIZE; ++p)
        outbox[outboxCount++] = parts[p];
}

void deliverChat(NetSession& net, uint32_t nowMs) {
    if (!windowRunning || nowMs - windowStartMs >= CHAT_SEND_WINDOW_MS) {
        windowRunning = true;
        windowStartMs = nowMs;
        sentInWindow  = 0;
    }
    int sent = 0;
    while (sent < outboxCount && sentInWindow < CHAT_SENDS_PER_SECOND) {
        netSend(net, outbox[sent++]);
        ++sentInWindow;
    }
    std::memmove(outbox, outbox + sent,
                 sizeof(NetMessage) * static_cast<size_t>(outboxCount - sent));
    outboxCount -= sent;
}

void resetChatOutbox() {
    outboxCount   = 0;
    windowRunning = false;
}
