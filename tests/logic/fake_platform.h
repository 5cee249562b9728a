#pragma once
// A stand-in for the platform in tests of the logic: a settable clock, tick
// count and cycle counter, and controls that are plain records.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace receipt::fake {

struct Control {
    std::string text;  // GBK
    bool visible = false;
};

struct Platform {
    platform::LocalTime now{2026, 12, 11, 9, 5, 0};
    std::uint32_t ticks = 0;
    // Successive cycle-counter readings; the last one repeats once used up.
    std::vector<std::uint32_t> counter{0};
    std::size_t counterReads = 0;
    int processEventsCalls = 0;
    std::map<std::string, Control, std::less<>> controls;
    std::vector<std::string> labelWrites;  // names, in the order written
};

// The state the fakes read and write; reset it at the start of each test.
Platform& State();
void Reset();

}  // namespace receipt::fake
