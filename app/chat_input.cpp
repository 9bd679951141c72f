// The chat line being typed, and sending it.
#include "app/chat_input.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "step/chat_outbox.h"
#include "world/world_state.h"

namespace {
bool open = false;
char typed[CHAT_TEXT_CHARS + 1];
int typedLength   = 0;
uint16_t nextLine = 0;

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

void sendChat(WorldState& world, ChatOutbox& outbox, uint32_t nowMs) {
    closeChat();
    if (typedLength == 0 || !isValidSlot(world.localPlayer)) return;
    addChatLine(world.messages, nowMs, world.localPlayer, typed);
    NetMessage parts[CHAT_PARTS_MAX];
    const int count = makeChatMessages(world.localPlayer, nextLine++, typed, parts);
    queueChatParts(outbox, parts, count);
}

void chatText(char out[CHAT_TEXT_CHARS + 1]) {
    std::memcpy(out, typed, sizeof typed);
}

void resetChat() {
    open        = false;
    typedLength = 0;
    typed[0]    = '\0';
}
