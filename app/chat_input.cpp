// The typed line and the outgoing parts: a fixed queue and a per-second budget.
#include "app/chat_input.h"

#include <cstdio>
#include <cstring>

#include "app/platform.h"
#include "net/net.h"
#include "world/messages.h"
#include "world/world_state.h"

namespace {
constexpr int OUTBOX_SIZE = 4 * CHAT_PARTS_MAX; // a few lines typed in quick succession

bool open = false;
char typed[CHAT_TEXT_CHARS + 1];
int typedLength   = 0;
uint16_t nextLine = 0;

NetMessage outbox[OUTBOX_SIZE];
int outboxCount        = 0;
uint32_t windowStartMs = 0;
int sentInWindow       = 0;
bool windowRunning     = false;

bool isContinuationByte(unsigned char c) {
    return (c & 0xC0u) == 0x80u;
}
} // namespace

bool chatIsOpen() {
    return open;
}

void openChat() {
    open        = true;
    typedLength = 0;
    typed[0]    = '\0';
    platformTextInput(true);
}

void closeChat() {
    open = false;
    platformTextInput(false);
}

void typeIntoChat(const char* text) {
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (typedLength >= CHAT_TEXT_CHARS) return;
        if (isContinuationByte(*c)) continue; // one '?' for the whole character
        typed[typedLength++] = *c >= ' ' && *c <= '~' ? static_cast<char>(*c) : '?';
        typed[typedLength]   = '\0';
    }
}

void eraseFromChat() {
    if (typedLength > 0) typed[--typedLength] = '\0';
}

void sendChat(uint32_t nowMs) {
    closeChat();
    if (typedLength == 0 || !isValidSlot(localPlayer)) return;
    addChatLine(nowMs, localPlayer, typed);
    NetMessage parts[CHAT_PARTS_MAX];
    const int count = makeChatMessages(localPlayer, nextLine++, typed, parts);
    for (int p = 0; p < count && outboxCount < OUTBOX_SIZE; ++p)
        outbox[outboxCount++] = parts[p];
}

void deliverChat(uint32_t nowMs) {
    if (!windowRunning || nowMs - windowStartMs >= CHAT_SEND_WINDOW_MS) {
        windowRunning = true;
        windowStartMs = nowMs;
        sentInWindow  = 0;
    }
    int sent = 0;
    while (sent < outboxCount && sentInWindow < CHAT_SENDS_PER_SECOND) {
        netSend(outbox[sent++]);
        ++sentInWindow;
    }
    std::memmove(outbox, outbox + sent,
                 sizeof(NetMessage) * static_cast<size_t>(outboxCount - sent));
    outboxCount -= sent;
}

void chatText(char out[CHAT_TEXT_CHARS + 1]) {
    std::memcpy(out, typed, sizeof typed);
}

void resetChat() {
    open          = false;
    typedLength   = 0;
    typed[0]      = '\0';
    outboxCount   = 0;
    windowRunning = false;
}
