#pragma once
// Plain description of a window and its controls, turned into widgets by the
// toolkit. Texts are UTF-8. Places are relative to the top-left corner of the
// parent's client area; sizes are outer sizes.

#include <cstdint>
#include <span>
#include <string_view>

namespace receipt::platform {

enum class ControlKind { TabControl, PictureBox, Label, TransparentLabel, EditBox, Button };

struct Colour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Colour&) const = default;
};

// The default GUI font is the system's standard font for controls; a named font
// has a face name (possibly empty: the system's default face), a character
// height in pixels and a weight.
struct Font {
    bool defaultGui = true;
    std::string_view face;
    int pixelSize = 0;
    int weight = 400;
};
inline constexpr Font kDefaultGuiFont{};
constexpr Font NamedFont(std::string_view face, int pixelSize, int weight = 400) {
    return Font{false, face, pixelSize, weight};
}

enum class Alignment { Left, Right };
enum class TextLayout { Wrapping, OneLine };  // one line is centred vertically
enum class Picture { None, Page, Hand };

using CreatedHandler = void (*)();
using PressHandler = void (*)(int field, int x, int y, int keyState);
using ClickHandler = void (*)(int field);

// Modifier bits of a press event.
inline constexpr int kKeyCtrl = 1, kKeyShift = 2, kKeyAlt = 4;

struct ControlDefinition {
    ControlKind kind;
    std::string_view name;
    std::string_view parent;  // empty: the window
    int left, top, width, height;
    std::string_view text = {};  // caption, label text or tab caption
    Font font = kDefaultGuiFont;
    Colour textColour = {};
    Alignment alignment = Alignment::Left;
    TextLayout layout = TextLayout::Wrapping;
    Picture picture = Picture::None;
    bool frameBorder = false;  // one-pixel line in the window-frame colour
    int textLimit = 0;         // edit boxes: GBK bytes, 0 for no limit
    bool visible = true;
    bool focusable = false;
    int field = 0;             // the argument bound to the handlers below
    PressHandler onPress = nullptr;
    ClickHandler onClick = nullptr;
};

// Controls are listed so that a parent comes before its children; among
// siblings an earlier control lies above a later one, and the focus moves
// through the focusable controls from the bottom of that order upwards.
struct WindowDefinition {
    std::string_view name;
    std::string_view title;
    int outerWidth, outerHeight;
    CreatedHandler onCreated;
    std::span<const ControlDefinition> controls;
};

}  // namespace receipt::platform
