#include "platform/clock.h"

#include <ctime>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace receipt::platform {

LocalTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour, local.tm_min, local.tm_sec};
}

std::uint32_t MillisecondsSinceStart() {
    timespec t{};
    clock_gettime(CLOCK_BOOTTIME, &t);
    const std::uint64_t ms = static_cast<std::uint64_t>(t.tv_sec) * 1000u +
                             static_cast<std::uint64_t>(t.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

std::uint32_t CycleCounterLow32() {
#if defined(__x86_64__) || defined(__i386__)
    return static_cast<std::uint32_t>(__rdtsc());
#elif defined(__aarch64__)
    std::uint64_t ticks;
    asm volatile("mrs %0, cntvct_el0" : "=r"(ticks));
    return static_cast<std::uint32_t>(ticks);
#else
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &t);
    return static_cast<std::uint32_t>(t.tv_sec * 1000000000ull + t.tv_nsec);
#endif
}

}  // namespace receipt::platform
