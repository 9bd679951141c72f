// Kill and chat lines: small fixed lists, oldest first.
#include "world/messages.h"

#include <cstring>

namespace {
// Makes room at the end of a list of `capacity` lines holding `count`; the new line's index.
template <typename Line> int pushLine(Line* lines, int* count, int capacity) {
    if (*count == capacity) {
        std::memmove(lines, lines + 1, sizeof(Line) * static_cast<size_t>(capacity - 1));
        --*count;
    }
    return (*count)++;
}

template <typename Line> void dropOld(Line* lines, int* count, uint32_t nowMs, uint32_t showMs) {
    int kept = 0;
    for (int i = 0; i < *count; ++i) {
        if (nowMs - lines[i].shownAt < showMs) lines[kept++] = lines[i];
    }
    *count = kept;
}
} // namespace

void addKillLine(Messages& messages, uint32_t nowMs, int32_t killer, int32_t victim) {
    KillLine& line = messages.kill[pushLine(messages.kill, &messages.killCount, KILL_LINES)];
    line           = KillLine{nowMs, killer, victim};
}

void addChatLine(Messages& messages, uint32_t nowMs, int32_t slot, const char* text) {
    ChatLine& line = messages.chat[pushLine(messages.chat, &messages.chatCount, CHAT_LINES)];
    line.shownAt   = nowMs;
    line.slot      = slot;
    printableText(text, CHAT_TEXT_CHARS, line.text, sizeof line.text);
}

void dropOldMessages(Messages& messages, uint32_t nowMs) {
    dropOld(messages.kill, &messages.killCount, nowMs, KILL_SHOW_MS);
    dropOld(messages.chat, &messages.chatCount, nowMs, CHAT_SHOW_MS);
}
