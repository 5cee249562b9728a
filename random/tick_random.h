#pragma once
// The tick-counter random source: no seed and no state. Every draw reads the
// processor's cycle counter afresh and scrambles it with a fixed multiplier and
// increment. It serves every random start-up value except the transaction
// number, which comes from the seeded generator.

#include <cstdint>

#include "app/text.h"

namespace receipt {

// The draw for a counter reading t: low + ((t * 23 + 7) mod 2^32) mod
// (high - low + 1), all in unsigned 32-bit arithmetic (low <= high).
std::uint32_t TickDraw(std::uint32_t t, int low, int high);
// A draw from low to high inclusive, from the counter as it reads now.
std::uint32_t TickRandom(int low, int high);

// The text of a draw n. Parity 1 keeps an odd n and moves an even n up by one;
// parity 2 gives n - (n mod 2) + 2; any other parity writes n as it is. A forced
// value can lie one above the range the draw came from.
Text NumberText(std::uint32_t n, int parity);
// NumberText of a fresh TickRandom(low, high).
Text RandomNumberText(int low, int high, int parity);

}  // namespace receipt
