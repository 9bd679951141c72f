// One line in the making for each sender: which parts are in, and their bytes.
#include "net/chat_assembly.h"

#include <cstring>

#include "net/net_message.h"

bool addChatPart(ChatAssembly& chat, int32_t slot, uint32_t line, uint32_t part, uint32_t parts,
                 const char text[CHAT_PART_BYTES], char out[CHAT_TEXT_CHARS + 1]) {
    if (!isValidSlot(slot) || parts < 1 || parts > CHAT_PARTS_MAX || part >= parts) return false;
    LineInMaking& m = chat.making[slot];
    if (!m.started || m.line != line || m.parts != parts) {
        m         = LineInMaking{};
        m.started = true;
        m.line    = line;
        m.parts   = parts;
    }
    if (m.done) return false;
    std::memcpy(m.text + part * CHAT_PART_BYTES, text, CHAT_PART_BYTES);
    m.received |= 1u << part;
    if (m.received != (1u << parts) - 1u) return false;
    m.done = true;
    printableText(m.text, static_cast<int>(strnlen(m.text, sizeof m.text)), out,
                  CHAT_TEXT_CHARS + 1);
    return true;
}
