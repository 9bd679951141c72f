// SIGTERM and SIGINT ask the server to end: a flag its loop reads, and a descriptor that
// turns readable at the signal, so that a poll- or select-based wait watching it ends at once
// rather than at its timeout (a signal between the loop's look at the flag and the wait would
// otherwise wait in vain).
#pragma once

// Installs the handlers once: the read end of the wake-up pipe, readable from the first
// signal on, or -1 (errno tells why) when the pipe or a handler cannot be had.
int installStopSignals();
bool stopRequested(); // a SIGTERM or SIGINT came since installStopSignals
