#pragma once
// The pictures built into the program.

#include <span>

namespace receipt::platform {

std::span<const unsigned char> PagePictureJpeg();    // 993 x 636
std::span<const unsigned char> HandPictureJpeg();    // 24 x 30
std::span<const unsigned char> ProgramIconPng();     // 64 x 64, with alpha

}  // namespace receipt::platform
