// The JPEG decoder on arbitrary data, seeded with the program's own pictures:
// either a whole picture of a sane size or an empty one, never a crash; and
// the two pixel layouts hold the same picture.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "fuzz/check.h"
#include "platform/jpeg_image.h"

using receipt::platform::DecodeJpeg;
using receipt::platform::PixelLayout;
using receipt::platform::RgbImage;

namespace {

void CheckShape(const RgbImage& image, std::size_t bytesPerPixel) {
    if (image.empty()) {
        FUZZ_CHECK(image.width == 0 || image.height == 0);
        return;
    }
    FUZZ_CHECK(image.width > 0 && image.height > 0 && image.width <= 16384 && image.height <= 16384);
    FUZZ_CHECK(image.rgb.size() == std::size_t(image.width) * std::size_t(image.height) * bytesPerPixel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);
    const RgbImage rgb = DecodeJpeg(bytes, PixelLayout::Rgb24);
    CheckShape(rgb, 3);
    const RgbImage words = DecodeJpeg(bytes, PixelLayout::Xrgb32);
    CheckShape(words, 4);

    FUZZ_CHECK(rgb.empty() == words.empty());
    if (rgb.empty()) return 0;
    FUZZ_CHECK(rgb.width == words.width && rgb.height == words.height);
    for (std::size_t i = 0; i < std::size_t(rgb.width) * std::size_t(rgb.height); ++i) {
        std::uint32_t word;
        std::memcpy(&word, words.rgb.data() + 4 * i, 4);
        FUZZ_CHECK(word >> 24 == 0xFF);
        FUZZ_CHECK(((word >> 16) & 0xFF) == rgb.rgb[3 * i] && ((word >> 8) & 0xFF) == rgb.rgb[3 * i + 1] &&
                   (word & 0xFF) == rgb.rgb[3 * i + 2]);
    }
    return 0;
}
