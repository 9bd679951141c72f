// One look-up at a time on a detached thread; its answer is shared with the caller through
// an object both hold, so either may finish first.
#include "net/name_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace {
struct Lookup {
    std::string host;
    std::atomic<LookupState> state{LookupState::RUNNING};
    uint32_t ipv4 = 0; // written before state leaves RUNNING
};

std::shared_ptr<Lookup> current;

void run(std::shared_ptr<Lookup> lookup) {
    addrinfo hints{};
    hints.ai_family   = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found   = nullptr;
    const int error   = ::getaddrinfo(lookup->host.c_str(), nullptr, &hints, &found);
    if (error == 0 && found) {
        lookup->ipv4 = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
        ::freeaddrinfo(found);
        lookup->state = LookupState::FOUND;
    } else {
        const bool unknown = error == EAI_NONAME || error == EAI_NODATA || error == EAI_FAIL;
        lookup->state      = unknown ? LookupState::NOT_FOUND : LookupState::FAILED;
    }
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
