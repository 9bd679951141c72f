// A second machine on the LAN: a network namespace joined to this one by a veth pair on two
// subnets of the test block, its games answering from 198.18.0.2 and 198.18.1.2 (here .1).
#pragma once

#include <sys/types.h>

#include <cstdint>

struct HostedGame {
    const char* name;
    int tcpPort;
};

struct OtherMachine {
    pid_t pid = -1;
    int stop  = -1; // closing it closes every responder there
};

// A responder process for each game (one player in); returns once all answer, or false.
bool startOtherMachine(const HostedGame* games, int count, OtherMachine& machine);
void stopOtherMachine(OtherMachine& machine); // returns once every responder has closed
uint32_t steadyMs();
