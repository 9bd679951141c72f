// The high-resolution clock and sleeping on Windows.
#include <windows.h>

#include <timeapi.h>

#include "platform/platform.h"

namespace {
constexpr uint64_t MICROSECONDS_PER_SECOND = 1000000;
constexpr uint64_t MICROSECONDS_PER_MS     = 1000;
constexpr UINT FINEST_TIMER_MS             = 1;

// The system's timer ticks every 15.6 ms unless asked for finer: the waits between steps
// (Sleep, select) would overshoot by most of a step. Asked for once, as the program starts.
const bool fineTimer = timeBeginPeriod(FINEST_TIMER_MS) == TIMERR_NOERROR;
} // namespace

// The performance counter runs from the machine's start, so the random seed taken from it
// at start-up differs between runs.
uint64_t platformMicroseconds() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    const uint64_t ticks   = static_cast<uint64_t>(count.QuadPart);
    const uint64_t perSec  = static_cast<uint64_t>(frequency.QuadPart);
    const uint64_t seconds = ticks / perSec;
    // Whole seconds apart, so the product cannot overflow for centuries of uptime.
    return seconds * MICROSECONDS_PER_SECOND + (ticks % perSec) * MICROSECONDS_PER_SECOND / perSec;
}

uint32_t platformMilliseconds() {
    return static_cast<uint32_t>(platformMicroseconds() / MICROSECONDS_PER_MS);
}

void platformSleep(uint32_t milliseconds) {
    Sleep(milliseconds);
}
