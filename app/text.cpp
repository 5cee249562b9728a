#include "app/text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

#include "platform/fatal.h"
#include "platform/gbk.h"

namespace receipt {

Text NewText(std::size_t bytes) {
    Text text;
    try {
        text.reserve(bytes);
    } catch (const std::bad_alloc&) {
        platform::FatalOutOfMemory(bytes + 1);
    } catch (const std::length_error&) {
        platform::FatalOutOfMemory(bytes + 1);
    }
    return text;
}

int TextLength(std::string_view t) {
    std::size_t nul = t.find('\0');
    std::size_t length = nul == std::string_view::npos ? t.size() : nul;
    return static_cast<int>(std::min<std::size_t>(length, std::numeric_limits<int>::max()));
}

Text TextMid(std::string_view t, int start, int length) {
    const std::int64_t textLength = TextLength(t);
    const std::int64_t s = static_cast<std::int64_t>(start) - 1;
    if (s < 0 || s >= textLength || length <= 0) return Text();
    const std::int64_t n = std::min<std::int64_t>(length, textLength - s);
    Text result = NewText(static_cast<std::size_t>(n));
    result.append(t.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(n)));
    return result;
}

Text ToText(int value) {
    char digits[16];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec;  // an int always fits
    return ToText(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

Text ToText(double value) {
    if (!std::isfinite(value)) return ToText(std::string_view(std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf"));
    // Round to 13 significant digits first; the exponent of the rounded value
    // then says where the decimal point goes.
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.12e", value);
    const std::string_view s(scientific);
    const bool negative = s.front() == '-';
    std::string mantissa;  // the 13 significant digits
    for (char c : s.substr(0, s.find('e'))) {
        if (c >= '0' && c <= '9') mantissa.push_back(c);
    }
    const int exponent = std::atoi(scientific + s.find('e') + 1);

    std::string integerPart, fraction;
    if (exponent >= 0) {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (integerDigits >= mantissa.size()) {
            integerPart = mantissa + std::string(integerDigits - mantissa.size(), '0');
        } else {
            integerPart = mantissa.substr(0, integerDigits);
            fraction = mantissa.substr(integerDigits);
        }
    } else {
        integerPart = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    }
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

    Text result = NewText(integerPart.size() + fraction.size() + 2);
    if (negative && (integerPart != "0" || !fraction.empty())) result.push_back('-');
    result += integerPart;
    if (!fraction.empty()) result += '.' + fraction;
    return result;
}

Text ToText(std::string_view text) {
    std::string_view bytes = detail::UpToNul(text);
    Text copy = NewText(bytes.size());
    copy.append(bytes);
    return copy;
}

double ToNumber(std::string_view t) {
    t = detail::UpToNul(t);
    std::size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < t.size() && isSpace(t[i])) ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    const std::size_t numberStart = i;
    std::size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    const std::string_view integerDigits = t.substr(numberStart, i - numberStart);
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    double value = 0.0;
    // Only digits and one point are handed over, so the fixed format reads
    // them exactly as written, whatever the process locale says.
    const std::from_chars_result read =
        std::from_chars(t.data() + numberStart, t.data() + i, value, std::chars_format::fixed);
    if (read.ec == std::errc::result_out_of_range) {
        // Beyond what a double holds: too large with a non-zero digit before
        // the point, too small without one.
        value = integerDigits.find_first_not_of('0') == std::string_view::npos ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

std::int64_t TruncateToInt64(double x) {
    if (std::isnan(x)) return 0;
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (x >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (x < -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(std::trunc(x));
}

Text CharFromCode(int code) {
    const char byte = static_cast<char>(static_cast<unsigned>(code) & 0xFFu);
    if (byte == '\0') return Text();
    Text result = NewText(1);
    result.push_back(byte);
    return result;
}

double Modulo(double x, double y) { return std::fmod(x, y); }

Text GbkText(std::string_view utf8) {
    std::optional<std::string> gbk = platform::Utf8ToGbk(utf8);
    if (!gbk) platform::Fatal("a built-in text cannot be written in GBK");
    return *std::move(gbk);
}

}  // namespace receipt
