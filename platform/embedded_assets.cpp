#include "platform/embedded_assets.h"

#include <cstddef>

namespace receipt::platform {

extern const unsigned char kPagePictureJpeg[];
extern const std::size_t kPagePictureJpegSize;
extern const unsigned char kHandPictureJpeg[];
extern const std::size_t kHandPictureJpegSize;
extern const unsigned char kProgramIconPng[];
extern const std::size_t kProgramIconPngSize;

std::span<const unsigned char> PagePictureJpeg() { return {kPagePictureJpeg, kPagePictureJpegSize}; }
std::span<const unsigned char> HandPictureJpeg() { return {kHandPictureJpeg, kHandPictureJpegSize}; }
std::span<const unsigned char> ProgramIconPng() { return {kProgramIconPng, kProgramIconPngSize}; }

}  // namespace receipt::platform
