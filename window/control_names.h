#pragma once
// Each field N has three controls, named by kind followed by N in decimal:
// the transparent label that shows the value (透明标签N), its edit box
// (编辑框N) and its "修改" button (按钮N). Names are UTF-8.

#include <string>
#include <string_view>

namespace receipt {

inline constexpr std::string_view kFieldLabel = "透明标签";
inline constexpr std::string_view kFieldEditBox = "编辑框";
inline constexpr std::string_view kFieldButton = "按钮";

inline std::string ControlName(std::string_view kind, int field) {
    return std::string(kind) + std::to_string(field);
}

}  // namespace receipt
