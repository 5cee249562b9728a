#include "app/seeded_random.h"

#include "platform/clock.h"

namespace receipt {
namespace {

std::uint32_t generatorState = 0;
std::uint32_t seedOffset = 0;

}  // namespace

Seeding SeedFor(std::uint32_t tickCount, std::uint32_t offset) {
    const std::uint32_t seed = tickCount + offset;
    return Seeding{seed, offset + seed % 256u + 100u};
}

std::uint32_t NextGeneratorState(std::uint32_t state) { return state * 214013u + 2531011u; }

int DrawInRange(std::uint32_t state, int min, int max) {
    const std::uint32_t r = (state >> 16) & 0x7FFFu;
    const std::uint32_t span = static_cast<std::uint32_t>(max) - static_cast<std::uint32_t>(min) + 1u;
    return static_cast<int>(static_cast<std::uint32_t>(min) + (span == 0 ? r : r % span));
}

void SeedRandomAt(std::uint32_t tickCount) {
    const Seeding s = SeedFor(tickCount, seedOffset);
    seedOffset = s.nextOffset;
    generatorState = s.seed;
}

void SeedRandom() { SeedRandomAt(platform::MillisecondsSinceStart()); }

int RandomInRange(int min, int max) {
    generatorState = NextGeneratorState(generatorState);
    return DrawInRange(generatorState, min, max);
}

}  // namespace receipt
