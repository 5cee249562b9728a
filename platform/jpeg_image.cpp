#include "platform/jpeg_image.h"

#include <bit>
#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jerror.h>
#include <jpeglib.h>

namespace receipt::platform {
namespace {

constexpr unsigned kMaxSide = 16384;

// libjpeg's own error manager prints and ends the process. Ours stays silent
// and jumps back to DecodeInto, which reports the failure.
struct ErrorTrap {
    jpeg_error_mgr manager;  // first, so a j_common_ptr's err points at the trap
    std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1);
}

void PrintNothing(j_common_ptr) {}

// Warnings that mean the pixels are wrong: libjpeg goes on and fills the rest
// with grey or garbage, but a half-decoded picture is no better than none.
bool PixelsAreDamaged(int msg_code) {
    switch (msg_code) {
        case JWRN_JPEG_EOF:         // premature end of data
        case JWRN_HIT_MARKER:       // scan cut short by a marker
        case JWRN_HUFF_BAD_CODE:
        case JWRN_MUST_RESYNC:      // restart markers out of order
            return true;
        default:                    // odd metadata or stray bytes between markers
            return false;
    }
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace messages
    ++cinfo->err->num_warnings;
    if (PixelsAreDamaged(cinfo->err->msg_code)) JumpBack(cinfo);
}

// Every libjpeg call that can fail runs here, below the setjmp; nothing in this
// frame has a destructor and no local is read after the jump.
bool DecodeInto(jpeg_decompress_struct& cinfo, ErrorTrap& trap,
                std::span<const unsigned char> data, PixelLayout layout, RgbImage& image) {
    if (setjmp(trap.jump) != 0) return false;

    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;
    if (cinfo.image_width > kMaxSide || cinfo.image_height > kMaxSide) return false;

    const bool words = layout == PixelLayout::Xrgb32;
    const J_COLOR_SPACE xrgb = std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    cinfo.out_color_space = words ? xrgb : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != (words ? 4 : 3)) return false;

    const std::size_t stride = std::size_t{cinfo.output_width} * (words ? 4 : 3);
    image.rgb.assign(stride * cinfo.output_height, 0);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.rgb.data() + stride * cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&cinfo);
    image.width = static_cast<int>(cinfo.output_width);
    image.height = static_cast<int>(cinfo.output_height);
    return true;
}

}  // namespace

RgbImage DecodeJpeg(std::span<const unsigned char> data, PixelLayout layout) {
    if (data.size() > 0xFFFFFFFFu) return {};  // jpeg_mem_src takes an unsigned long

    ErrorTrap trap{};
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JumpBack;
    trap.manager.output_message = PrintNothing;
    trap.manager.emit_message = OnMessage;

    jpeg_decompress_struct cinfo{};
    cinfo.err = &trap.manager;

    RgbImage image;
    const bool decoded = DecodeInto(cinfo, trap, data, layout, image);
    jpeg_destroy_decompress(&cinfo);
    if (!decoded) return {};
    return image;
}

}  // namespace receipt::platform
