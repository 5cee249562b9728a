#pragma once
// Decoding of JPEG data held in memory into 24-bit RGB rows.

#include <cstdint>
#include <span>
#include <vector>

namespace receipt::platform {

// Rgb24: R, G, B bytes. Xrgb32: one native 32-bit word 0xffRRGGBB a pixel,
// the layout the toolkit paints from without converting.
enum class PixelLayout { Rgb24, Xrgb32 };

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * 3 (Xrgb32: 4) bytes a row, rows top to bottom
    bool empty() const { return width == 0 || height == 0; }
};

// The decoded picture, or an empty one when the data does not decode.
RgbImage DecodeJpeg(std::span<const unsigned char> data, PixelLayout layout = PixelLayout::Rgb24);

}  // namespace receipt::platform
