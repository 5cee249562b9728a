#pragma once
// Decoding of JPEG data held in memory into 24-bit RGB rows.

#include <cstdint>
#include <span>
#include <vector>

namespace receipt::platform {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * 3 bytes a row, rows top to bottom
    bool empty() const { return width == 0 || height == 0; }
};

// The decoded picture, or an empty one when the data does not decode.
RgbImage DecodeJpeg(std::span<const unsigned char> data);

}  // namespace receipt::platform
