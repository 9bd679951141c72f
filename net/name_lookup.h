// Looking up a host's name without waiting: the system's look-up may take seconds, so it
// runs on a thread of its own, and a caller that gives up simply forgets it.
#pragma once

#include <cstdint>
#include <memory>

enum class LookupState {
    NONE,      // nothing asked
    RUNNING,   // no answer yet
    FOUND,     // ipv4 holds the first IPv4 address
    NOT_FOUND, // the name service knows no such name
    FAILED,    // the name service could not be asked
};

struct LookupJob; // shared with the thread that asks the name service

// One look-up at a time; a value-initialised one has none.
struct NameLookup {
    std::shared_ptr<LookupJob> job;
};

void lookupStart(NameLookup& lookup, const char* host); // forgets any earlier look-up
LookupState lookupState(const NameLookup& lookup, uint32_t* ipv4);
void lookupForget(NameLookup& lookup);
