// Placeholder network until the socket layer lands: a host alone, a joiner that never connects.
#include "net/net.h"

#include <cstring>

void resetConnSlots() {}
void netHostStart(char addressText[NET_ADDRESS_TEXT_SIZE]) { std::strcpy(addressText, "127.0.0.1:2345"); }
void netJoinStart(const char*) {}
void netExchange(int32_t) {}
void netSend(const NetMessage&) {}
void checkGlobalTimeout() {}
void netShutdown() {}
void encodeNetMessage(const NetMessage&, uint8_t*) {}
NetMessage decodeNetMessage(const uint8_t*) { return NetMessage{}; }
int32_t netMessageType(const NetMessage& m) { return static_cast<int32_t>(m.word[0]); }
int32_t netMessageSlot(const NetMessage& m) { return static_cast<int32_t>(m.word[1]); }
NetMessage makeStateMessage(int32_t) { return NetMessage{}; }
NetMessage makeRocketMessage(int32_t, int32_t) { return NetMessage{}; }
NetMessage makeControlMessage(int32_t, int32_t) { return NetMessage{}; }
void applyNetMessage(const NetMessage&) {}
