// Chat lines put back together from their parts, one line at a time for each sender.
#pragma once

#include <cstdint>

#include "net/net_message.h"
#include "world/roster.h"

struct LineInMaking {
    bool started;
    bool done;
    uint32_t line;
    uint32_t parts;
    uint32_t received; // a bit for each part
    char text[CHAT_PARTS_MAX * CHAT_PART_BYTES];
};

// Every sender's line in the making; a value-initialised one holds none.
struct ChatAssembly {
    LineInMaking making[MAX_PLAYERS];
};

// Takes part `part` of `parts` of line `line` from slot; when it completes the line, writes
// the whole text to out and returns true. A part of a newer line starts that line afresh;
// parts out of range or of a finished line change nothing.
bool addChatPart(ChatAssembly& chat, int32_t slot, uint32_t line, uint32_t part, uint32_t parts,
                 const char text[CHAT_PART_BYTES], char out[CHAT_TEXT_CHARS + 1]);
