// The text operations on arbitrary bytes, NULs included: TextMid, Concat,
// ToText and CharFromCode. The first eight bytes give TextMid's start and
// length; the rest is split into three texts at two more bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "app/text.h"
#include "fuzz/check.h"

using receipt::Concat;
using receipt::Text;
using receipt::TextLength;
using receipt::TextMid;

namespace {

std::string_view UpToNul(std::string_view t) { return t.substr(0, t.find('\0')); }

template <class T>
T Take(std::string_view& in) {
    T value{};
    const std::size_t n = in.size() < sizeof value ? in.size() : sizeof value;
    std::memcpy(&value, in.data(), n);
    in.remove_prefix(n);
    return value;
}

void CheckMid(std::string_view t, int start, int length) {
    const std::string_view visible = UpToNul(t);
    const Text mid = TextMid(t, start, length);
    FUZZ_CHECK(mid.find('\0') == std::string::npos);
    FUZZ_CHECK(TextLength(mid) == static_cast<int>(mid.size()));
    FUZZ_CHECK(static_cast<std::int64_t>(mid.size()) <= (length > 0 ? length : 0));
    if (mid.empty()) {
        // Empty only when there is nothing to take from there.
        FUZZ_CHECK(length <= 0 || start < 1 || static_cast<std::size_t>(start) > visible.size());
        return;
    }
    // A piece of the text at the asked place, as long as asked or up to its end.
    const std::size_t at = static_cast<std::size_t>(start) - 1;
    FUZZ_CHECK(visible.substr(at, mid.size()) == mid);
    FUZZ_CHECK(static_cast<std::int64_t>(mid.size()) == length || at + mid.size() == visible.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    const int start = Take<std::int32_t>(in);
    const int length = Take<std::int32_t>(in);
    const std::size_t cut1 = Take<std::uint8_t>(in);
    const std::size_t cut2 = Take<std::uint8_t>(in);
    const std::string_view all = in;
    const std::string_view a = all.substr(0, cut1 < all.size() ? cut1 : all.size());
    const std::string_view rest = all.substr(a.size());
    const std::string_view b = rest.substr(0, cut2 < rest.size() ? cut2 : rest.size());
    const std::string_view c = rest.substr(b.size());

    CheckMid(all, start, length);
    CheckMid(all, 1, length);
    CheckMid(all, start, TextLength(all));

    // Concat: the lengths add up and each part is found where it belongs.
    const Text joined = Concat(a, b, c);
    const int la = TextLength(a), lb = TextLength(b), lc = TextLength(c);
    FUZZ_CHECK(TextLength(joined) == la + lb + lc);
    FUZZ_CHECK(static_cast<int>(joined.size()) == la + lb + lc);
    FUZZ_CHECK(TextMid(joined, 1, la) == UpToNul(a));
    FUZZ_CHECK(TextMid(joined, la + 1, lb) == UpToNul(b));
    FUZZ_CHECK(TextMid(joined, la + lb + 1, lc) == UpToNul(c));

    // Cutting a text in two with TextMid and joining the halves gives it back.
    const std::string_view visible = UpToNul(all);
    const int cut = visible.empty() ? 0 : static_cast<int>(cut1 % (visible.size() + 1));
    const Text whole = Concat(TextMid(all, 1, cut), TextMid(all, cut + 1, TextLength(all)));
    FUZZ_CHECK(whole == visible);

    FUZZ_CHECK(receipt::ToText(all) == visible);
    const Text one = receipt::CharFromCode(start);
    FUZZ_CHECK(one.size() == ((start & 0xFF) ? 1u : 0u));
    FUZZ_CHECK(one.empty() || static_cast<unsigned char>(one[0]) == (static_cast<unsigned>(start) & 0xFFu));
    return 0;
}
