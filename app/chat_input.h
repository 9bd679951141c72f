// The chat line a player types; a line sent goes to the chat outbox.
#pragma once

#include <cstdint>

#include "step/chat_outbox.h"
#include "world/world_state.h"

bool chatIsOpen();
void openChat();
void closeChat();
// Adds typed text (UTF-8): printable ASCII as it is, every other character as one '?'.
void typeIntoChat(const char* text);
void eraseFromChat();
// The line goes out and shows here at once; the chat line closes.
void sendChat(WorldState& world, ChatOutbox& outbox, uint32_t nowMs);
void chatText(char out[CHAT_TEXT_CHARS + 1]);
void resetChat();
