// ToNumber on arbitrary bytes, against the C library's strtod given only the
// leading number that ToNumber is meant to read.

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/text.h"
#include "fuzz/check.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// White space, a sign, digits, a point, digits: the part a reader of the
// number would take, with at least one digit; empty when there is none.
std::string LeadingNumber(std::string_view t) {
    t = t.substr(0, t.find('\0'));
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || (t[i] >= '\t' && t[i] <= '\r'))) ++i;
    const std::size_t start = i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
    }
    return digits == 0 ? std::string() : std::string(t.substr(start, i - start));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const double value = receipt::ToNumber(bytes);

    const std::string number = LeadingNumber(bytes);
    const double expected = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
    if (value != expected) std::fprintf(stderr, "ToNumber gives %.17g, strtod %.17g\n", value, expected);
    FUZZ_CHECK(!std::isnan(value));
    FUZZ_CHECK(value == expected);  // correctly rounded, infinities for what is too large

    // Writing a number and reading it back keeps 13 significant digits.
    if (std::isfinite(value)) {
        const double again = receipt::ToNumber(receipt::ToText(value));
        FUZZ_CHECK(std::fabs(again - value) <= std::fabs(value) * 1e-12);
    }
    return 0;
}
