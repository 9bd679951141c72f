// Each event is put together from filtered texts, then written with its time in one call,
// so that a line is never split among writers.
#include "server/event_log.h"

#include "world/roster.h"

namespace {
constexpr int TIME_SIZE       = 20; // "YYYY-MM-DD HH:MM:SS" and its end
constexpr int LONG_TEXT_CHARS = 63; // a server's name, an address, a version

struct Shown {
    char text[CHAT_TEXT_CHARS + 1];
};

Shown shown(const char* text, int length) {
    Shown out;
    printableText(text ? text : "", length, out.text, sizeof out.text);
    return out;
}

Shown shownName(const char* text) {
    return shown(text, PLAYER_NAME_BYTES);
}

void writeLine(FILE* to, std::time_t when, const char* event) {
    char stamp[TIME_SIZE] = "0000-00-00 00:00:00";
    std::tm local{};
    if (localtime_r(&when, &local)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(to, "%s %s\n", stamp, event);
    std::fflush(to);
}

void slotEvent(FILE* to, std::time_t when, const char* what, int slot, const char* text) {
    char event[EVENT_LINE_SIZE];
    std::snprintf(event, sizeof event, "%s slot %d %s", what, slot, text);
    writeLine(to, when, event);
}
} // namespace

void logStart(FILE* to, std::time_t when, int port, const char* version, const char* name) {
    char event[EVENT_LINE_SIZE];
    std::snprintf(event, sizeof event, "start port %d version %s name %s", port,
                  shown(version, LONG_TEXT_CHARS).text, shown(name, LONG_TEXT_CHARS).text);
    writeLine(to, when, event);
}

void logStop(FILE* to, std::time_t when) {
    writeLine(to, when, "stop");
}

void logJoin(FILE* to, std::time_t when, int slot, const char* address) {
    slotEvent(to, when, "join", slot, shown(address, LONG_TEXT_CHARS).text);
}

void logName(FILE* to, std::time_t when, int slot, const char* playerName) {
    slotEvent(to, when, "name", slot, shownName(playerName).text);
}

void logLeave(FILE* to, std::time_t when, int slot, const char* playerName) {
    slotEvent(to, when, "leave", slot, shownName(playerName).text);
}

void logDrop(FILE* to, std::time_t when, int slot, const char* playerName) {
    slotEvent(to, when, "drop", slot, shownName(playerName).text);
}

void logKill(FILE* to, std::time_t when, int killer, const char* killerName, int victim,
             const char* victimName) {
    char event[EVENT_LINE_SIZE];
    std::snprintf(event, sizeof event, "kill slot %d slot %d %s destroyed %s", killer, victim,
                  shownName(killerName).text, shownName(victimName).text);
    writeLine(to, when, event);
}

void logChat(FILE* to, std::time_t when, int slot, const char* playerName, const char* text) {
    char event[EVENT_LINE_SIZE];
    std::snprintf(event, sizeof event, "chat slot %d %s: %s", slot, shownName(playerName).text,
                  shown(text, CHAT_TEXT_CHARS).text);
    writeLine(to, when, event);
}

void logMatchEnd(FILE* to, std::time_t when, int winner, int kills, const char* playerName) {
    char event[EVENT_LINE_SIZE] = "match end no winner";
    if (winner != NO_WINNER)
        std::snprintf(event, sizeof event, "match end winner slot %d kills %d %s", winner, kills,
                      shownName(playerName).text);
    writeLine(to, when, event);
}
