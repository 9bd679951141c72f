// The lines that come and go on screen: who destroyed whom, and chat. Times are the caller's
// milliseconds; the world keeps no clock.
#pragma once

#include <cstdint>

#include "world/roster.h"

constexpr int KILL_LINES        = 4;
constexpr int CHAT_LINES        = 5;
constexpr uint32_t KILL_SHOW_MS = 4000;
constexpr uint32_t CHAT_SHOW_MS = 8000;

struct KillLine {
    uint32_t shownAt;
    int32_t killer;
    int32_t victim;
};

struct ChatLine {
    uint32_t shownAt;
    int32_t slot;
    char text[CHAT_TEXT_CHARS + 1];
};

// Oldest first; a new line pushes the oldest out when all are taken.
struct Messages {
    int killCount;
    KillLine kill[KILL_LINES];
    int chatCount;
    ChatLine chat[CHAT_LINES];
};

void addKillLine(Messages& messages, uint32_t nowMs, int32_t killer, int32_t victim);
void addChatLine(Messages& messages, uint32_t nowMs, int32_t slot, const char* text);
// Lines shown for longer than their time leave.
void dropOldMessages(Messages& messages, uint32_t nowMs);
