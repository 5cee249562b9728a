// The GBK codec on arbitrary bytes, read both as UTF-8 and as GBK, and on
// texts of arbitrary code points (three bytes each), so that every part of
// Unicode is reached, not only what mutated UTF-8 happens to hit. Whatever
// converts must convert back to exactly the bytes it came from: a character
// that GBK cannot hold is refused, never dropped or replaced.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/check.h"
#include "platform/gbk.h"

using receipt::platform::GbkToUtf8;
using receipt::platform::Utf8ToGbk;

namespace {

bool IsWellFormedUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        std::uint32_t c = n == 1 ? b : b & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return false;
        i += n;
    }
    return true;
}

std::string Utf8Of(const std::uint8_t* data, std::size_t size) {
    std::string s;
    for (std::size_t i = 0; i + 3 <= size; i += 3) {
        std::uint32_t c = (std::uint32_t(data[i]) << 16 | std::uint32_t(data[i + 1]) << 8 | data[i + 2]) % 0x110000;
        if (c >= 0xD800 && c < 0xE000) c -= 0x800;  // no surrogates in UTF-8
        if (c < 0x80) {
            s += char(c);
        } else if (c < 0x800) {
            s += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            s += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
        } else {
            s += {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
                  char(0x80 | (c & 0x3F))};
        }
    }
    return s;
}

void CheckRoundTrip(std::string_view utf8) {
    if (const auto gbk = Utf8ToGbk(utf8)) {
        FUZZ_CHECK(IsWellFormedUtf8(utf8));
        const auto back = GbkToUtf8(*gbk);
        FUZZ_CHECK(back.has_value());
        FUZZ_CHECK(*back == utf8);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    CheckRoundTrip(bytes);
    const std::string codePoints = Utf8Of(data, size);
    FUZZ_CHECK(IsWellFormedUtf8(codePoints));
    CheckRoundTrip(codePoints);

    if (const auto utf8 = GbkToUtf8(bytes)) {
        FUZZ_CHECK(IsWellFormedUtf8(*utf8));
        const auto back = Utf8ToGbk(*utf8);
        FUZZ_CHECK(back.has_value());
        FUZZ_CHECK(*back == bytes);
    }
    return 0;
}
