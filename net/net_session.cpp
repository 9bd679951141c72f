// The network's shared state.
#include "net/net_session.h"

NetSocket netSocket = NO_SOCKET;
NetRole netRole     = NetRole::NONE;
