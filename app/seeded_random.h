#pragma once
// The seeded pseudo-random generator: one 32-bit state for the program, seeded
// from the millisecond tick count, advanced by every draw.

#include <cstdint>

namespace receipt {

struct Seeding {
    std::uint32_t seed;
    std::uint32_t nextOffset;
};

// Pure steps of the generator, so that they can be checked with tables.
Seeding SeedFor(std::uint32_t tickCount, std::uint32_t seedOffset);
std::uint32_t NextGeneratorState(std::uint32_t state);
int DrawInRange(std::uint32_t state, int min, int max);

// Seeds the generator from the platform's millisecond tick count.
void SeedRandom();
// Seeds the generator as SeedRandom does when the tick count reads `tickCount`.
void SeedRandomAt(std::uint32_t tickCount);
// The next draw, from min to max inclusive (0 <= min < max).
int RandomInRange(int min, int max);

}  // namespace receipt
