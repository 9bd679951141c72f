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

struct LookupJob {
    std::string host;
    std::atomic<LookupState> state{LookupState::RUNNING};
    uint32_t ipv4 = 0; // written before state leaves RUNNING
};

namespace {
void run(std::shared_ptr<LookupJob> lookup) {
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

void lookupStart(NameLookup& lookup, const char* host) {
    lookup.job       = std::make_shared<LookupJob>();
    lookup.job->host = host;
    std::thread(run, lookup.job).detach();
}

LookupState lookupState(const NameLookup& lookup, uint32_t* ipv4) {
    if (!lookup.job) return LookupState::NONE;
    const LookupState state = lookup.job->state;
    if (state == LookupState::FOUND) *ipv4 = lookup.job->ipv4;
    return state;
}

void lookupForget(NameLookup& lookup) {
    lookup.job.reset();
}
