#pragma once
// Readings of the machine's clocks and counters. Each is one call into the OS.

#include <cstdint>

namespace receipt::platform {

struct LocalTime {
    int year, month, day, hour, minute, second;
};

// The system clock, to the whole second, in local time.
LocalTime LocalNow();
// Milliseconds since the system started, wrapping after 2^32 - 1.
std::uint32_t MillisecondsSinceStart();
// The low 32 bits of the processor's free-running cycle counter.
std::uint32_t CycleCounterLow32();

}  // namespace receipt::platform
