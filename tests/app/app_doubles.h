// What the shell's plain code calls outside app/, recorded for the tests.
#pragma once

#include <string>
#include <vector>

struct AppCalls {
    int shutdowns           = 0;
    bool quitBeforeShutdown = false;     // the quit was already posted at the first shutdown
    std::vector<std::string> hostStarts; // the address text each host start wrote
    std::vector<std::string> joinStarts; // each joiner's address
};

extern AppCalls appCalls;

// A fresh world at the start values, no quit message, nothing recorded.
void resetAppTest();
