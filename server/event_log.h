// The dedicated server's log: one line an event on a stream (standard output, which
// systemd's journal reads), each "YYYY-MM-DD HH:MM:SS EVENT" in local time and flushed at
// once. Slots are those of the records, 1 to 7 for joiners; names, addresses and chat come
// out printable ASCII, anything else as '?', and a free text always ends its line.
#pragma once

#include <cstdio>
#include <ctime>

#include "world/match.h" // NO_WINNER

constexpr int EVENT_LINE_SIZE = 256; // an event's text, its time and end not included

// "start port 2345 version 1.1.0 name LAN party"
void logStart(FILE* to, std::time_t when, int port, const char* version, const char* name);
void logStop(FILE* to, std::time_t when);                                // "stop"
void logJoin(FILE* to, std::time_t when, int slot, const char* address); // "join slot 2 a:p"
void logName(FILE* to, std::time_t when, int slot, const char* name);    // "name slot 2 ALICE"
void logLeave(FILE* to, std::time_t when, int slot, const char* name);   // "leave slot 2 ALICE"
void logDrop(FILE* to, std::time_t when, int slot, const char* name);    // "drop slot 2 ALICE"
// "kill slot 1 slot 3 ALICE destroyed BOB": the killer's slot, the victim's, what players see.
void logKill(FILE* to, std::time_t when, int killer, const char* killerName, int victim,
             const char* victimName);
// "chat slot 2 ALICE: hello"
void logChat(FILE* to, std::time_t when, int slot, const char* name, const char* text);
// "match end winner slot 2 kills 10 ALICE", or "match end no winner" for NO_WINNER.
void logMatchEnd(FILE* to, std::time_t when, int winner, int kills, const char* name);
