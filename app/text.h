#pragma once
// Texts are GBK (code page 936) byte strings. Lengths and positions count bytes;
// a Chinese character takes two. A missing text and the empty text are one value.
// Every operation returns a new Text owned by the caller (by value).

#include <cstdint>
#include <string>
#include <string_view>

namespace receipt {

using Text = std::string;

// Obtains storage for a text of `bytes` bytes (plus the terminating NUL). When
// memory cannot be obtained the program ends with a message naming the amount.
Text NewText(std::size_t bytes);

// Number of bytes before the first NUL.
int TextLength(std::string_view t);

namespace detail {
inline std::string_view UpToNul(std::string_view t) {
    return t.substr(0, static_cast<std::size_t>(TextLength(t)));
}
}  // namespace detail

// The parts' bytes joined in argument order; always a text of its own.
template <class... Parts>
Text Concat(const Parts&... parts) {
    static_assert(sizeof...(Parts) >= 1);
    const std::string_view views[] = {detail::UpToNul(std::string_view(parts))...};
    std::size_t total = 0;
    for (std::string_view v : views) total += v.size();
    Text result = NewText(total);
    for (std::string_view v : views) result.append(v);
    return result;
}

// `length` bytes from byte `start` (counting from 1), cut at the end of `t`;
// empty when start is outside the text or length is not positive.
Text TextMid(std::string_view t, int start, int length);

// Plain decimal: no leading zeros, no group separators, "-" for negatives.
Text ToText(int value);
// At most 13 significant digits in plain form; trailing zeros and a bare
// decimal point dropped: 999.0 gives "999", 0.5 gives "0.5".
Text ToText(double value);
// A copy of the text.
Text ToText(std::string_view text);
inline Text ToText(const char* text) { return ToText(std::string_view(text)); }
inline Text ToText(const Text& text) { return ToText(std::string_view(text)); }

// Reads the decimal number at the start of `t` after white space (sign, digits,
// decimal point, digits); 0.0 when there is none.
double ToNumber(std::string_view t);

// Rounds toward zero; NaN gives 0 and values beyond the range saturate.
std::int64_t TruncateToInt64(double x);

// A one-byte text holding the low 8 bits of `code`; the empty text when those
// bits are 0, since a NUL byte would end the text.
Text CharFromCode(int code);

// x - y * trunc(x / y), exact; a non-zero result has the sign of x.
double Modulo(double x, double y);

// A GBK text from a UTF-8 literal of the program's own. The literal must be
// encodable; a literal that is not is a fault of the program and ends it.
Text GbkText(std::string_view utf8);

}  // namespace receipt
