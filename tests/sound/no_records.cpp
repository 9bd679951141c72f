// The frame hands records to the network; these tests only listen, so the records stay
// empty.
#include "net/net_message.h"

NetMessage makeStateMessage(int32_t) {
    return NetMessage{};
}
NetMessage makeRocketMessage(int32_t, int32_t, int32_t, const float*, const float*) {
    return NetMessage{};
}
