// A host's match recorded in the test's own process, through the real step and recorder: its
// ship turns, climbs and fires all the time (every sine and cosine of the flight used) among
// seven peers flying circles and firing; its player chats now and then.
#pragma once

#include <string>

// The last demo's path, in folder; with a time limit, one demo a match.
std::string recordTurningMatch(const std::string& folder, int steps, int timeLimitMinutes = 0);
