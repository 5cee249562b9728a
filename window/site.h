#pragma once
// The publishing site's address: shown in the side panel and in field 7's
// start-up credit.

#include <string_view>

namespace receipt {

inline constexpr std::string_view kSiteAddress = "marrowfen.example";

}  // namespace receipt
