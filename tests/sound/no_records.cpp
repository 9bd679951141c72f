// The frame update hands records to the network; these tests only listen, so the records
// stay empty. Weak, so a test that links the network library gets its real builders.
#include "net/net_message.h"

__attribute__((weak)) NetMessage makeStateMessage(int32_t) {
    return NetMessage{};
}
__attribute__((weak)) NetMessage makeRocketMessage(int32_t, int32_t) {
    return NetMessage{};
}
