// The chat line a player types, and the lines on their way to the others: a line leaves in
// parts, no faster than the host passes them on.
#pragma once

#include <cstdint>

#include "world/roster.h"

constexpr int CHAT_SENDS_PER_SECOND    = 4; // records; the host relays no more from one peer
constexpr uint32_t CHAT_SEND_WINDOW_MS = 1000;

bool chatIsOpen();
void openChat();
void closeChat();
// Adds typed text (UTF-8): printable ASCII as it is, every other character as one '?'.
void typeIntoChat(const char* text);
void eraseFromChat();
// The line goes out and shows here at once; the chat line closes.
void sendChat(uint32_t nowMs);
// Sends the parts waiting, within the budget; once a frame.
void deliverChat(uint32_t nowMs);
void chatText(char out[CHAT_TEXT_CHARS + 1]);
void resetChat();
