// One look-up at a time on a detached thread; its answer is shared with the caller through
// an object both hold, so either may finish first.
#include "net/name_lookup.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "net/system_socket.h"

namespace {
struct Lookup {
    std::string host;
    std::atomic<LookupState> state{LookupState::RUNNING};
    uint32_t ipv4 = 0; // written before state leaves RUNNING
};

std::shared_ptr<Lookup> current;

void run(std::shared_ptr<Lookup> lookup) {
    uint32_t ipv4           = 0;
    const LookupState state = systemLookupIpv4(lookup->host.c_str(), &ipv4);
    lookup->ipv4            = ipv4;
    lookup->state           = state;
}
} // namespace

void lookupStart(const char* host) {
    current       = std::make_shared<Lookup>();
    current->host = host;
    std::thread(run, current).detach();
}

LookupState lookupState(uint32_t* ipv4) {
    if (!current) return LookupState::NONE;
    const LookupState state = current->state;
    if (state == LookupState::FOUND) *ipv4 = current->ipv4;
    return state;
}

void lookupForget() {
    current.reset();
}
