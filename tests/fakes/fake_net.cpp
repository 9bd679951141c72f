// Network stand-in: records what the frame update sends.
#include "net/net.h"
#include "tests/fakes/fakes.h"

void resetConnSlots() {}
void netHostStart(char addressText[NET_ADDRESS_TEXT_SIZE]) { addressText[0] = '\0'; }
void netJoinStart(const char*) {}
void netExchange(int32_t) { ++fakeRecord.exchanges; }
void netSend(const NetMessage& msg) { fakeRecord.sent.push_back(msg); }
void checkGlobalTimeout() { ++fakeRecord.timeoutChecks; }
void netShutdown() {}
