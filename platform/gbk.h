#pragma once
// GBK (code page 936) <-> UTF-8. Strict in both directions: a character that GBK
// cannot encode, or bytes that are not valid GBK, give no result at all.

#include <optional>
#include <string>
#include <string_view>

namespace receipt::platform {

std::optional<std::string> Utf8ToGbk(std::string_view utf8);
std::optional<std::string> GbkToUtf8(std::string_view gbk);

}  // namespace receipt::platform
