// One look-up at a time on a detached thread; its answer is shared with the caller through
// an object both hold, so either may finish first.
#include "net/name_lookup.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "net/system_socket.h"

struct LookupJob {
    std::string host;
    std::atomic<LookupState> state{LookupState::RUNNING};
    uint32_t ipv4 = 0; // written before state leaves RUNNING
};

namespace {
void run(std::shared_ptr<LookupJob> lookup) {
    uint32_t ipv4           = 0;
    const LookupState state = systemLookupIpv4(lookup->host.c_str(), &ipv4);
    lookup->ipv4            = ipv4;
    lookup->state           = state;
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
