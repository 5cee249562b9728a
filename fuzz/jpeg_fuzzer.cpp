// The JPEG decoder on arbitrary data, seeded with the program's own pictures:
// either a whole picture of a sane size or an empty one, never a crash.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/check.h"
#include "platform/jpeg_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const receipt::platform::RgbImage image = receipt::platform::DecodeJpeg(std::span(data, size));
    if (image.empty()) {
        FUZZ_CHECK(image.width == 0 || image.height == 0);
        return 0;
    }
    FUZZ_CHECK(image.width > 0 && image.height > 0 && image.width <= 16384 && image.height <= 16384);
    FUZZ_CHECK(image.rgb.size() == std::size_t(image.width) * std::size_t(image.height) * 3);
    return 0;
}
