#include "random/tick_random.h"

#include "platform/clock.h"

namespace receipt {

std::uint32_t TickDraw(std::uint32_t t, int low, int high) {
    const std::uint32_t v = t * 23u + 7u;
    const std::uint32_t span = static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low) + 1u;
    // A span of 0 is the whole 32-bit range, where v itself is the remainder.
    return static_cast<std::uint32_t>(low) + (span == 0 ? v : v % span);
}

std::uint32_t TickRandom(int low, int high) { return TickDraw(platform::CycleCounterLow32(), low, high); }

Text NumberText(std::uint32_t n, int parity) {
    if (parity == 1 || parity == 2) {
        const double x = n;
        return ToText(x - Modulo(x, 2.0) + parity);
    }
    return ToText(static_cast<int>(n));
}

Text RandomNumberText(int low, int high, int parity) { return NumberText(TickRandom(low, high), parity); }

}  // namespace receipt
