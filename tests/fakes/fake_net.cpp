// Network stand-in: records what the frame sends; waiting is sleeping.
#include "app/platform.h"
#include "net/net.h"
#include "tests/fakes/fakes.h"

void resetConnSlots() {}

NetEnding netExchange(int32_t, uint32_t) {
    ++fakeRecord.exchanges;
    return NetEnding{};
}
void netSend(const NetMessage& msg) { fakeRecord.sent.push_back(msg); }
NetEnding checkGlobalTimeout() {
    ++fakeRecord.timeoutChecks;
    return NetEnding{};
}
void netWait(uint32_t, uint32_t milliseconds) { platformSleep(milliseconds); }
void netShutdown() {}
void netJoinTarget(char text[NET_ADDRESS_TEXT_SIZE]) { text[0] = '\\0'; }
