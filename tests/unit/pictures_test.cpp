// The built-in pictures and the JPEG decoder.

#include "platform/embedded_assets.h"
#include "platform/jpeg_image.h"

#include <gtest/gtest.h>

#include <cstring>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace receipt::platform {
namespace {

using Bytes = std::vector<unsigned char>;
struct Rgb {
    double r, g, b;
};

Bytes ToBytes(std::span<const unsigned char> data) { return {data.begin(), data.end()}; }

// Sampling and mode as the file's frame header states them.
struct JpegLayout {
    bool progressive = true;
    std::vector<std::pair<int, int>> sampling;  // h, v per component
};

JpegLayout ReadLayout(std::span<const unsigned char> data) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    JpegLayout layout;
    layout.progressive = cinfo.progressive_mode != FALSE;
    for (int i = 0; i < cinfo.num_components; ++i)
        layout.sampling.emplace_back(cinfo.comp_info[i].h_samp_factor, cinfo.comp_info[i].v_samp_factor);
    jpeg_destroy_decompress(&cinfo);
    return layout;
}

// A 4:4:4 picture at full quality, for fixtures with known pixels.
Bytes EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    for (int c = 0; c < 3; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(rgb.data()) + std::size_t{cinfo.next_scanline} * width * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

Rgb PixelAt(const RgbImage& image, int x, int y) {
    const auto* p = image.rgb.data() + (std::size_t(y) * image.width + x) * 3;
    return {double(p[0]), double(p[1]), double(p[2])};
}

double RelativeLuminance(Rgb c) {
    auto linear = [](double v) {
        v /= 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double ContrastRatio(Rgb a, Rgb b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// ---- The files as built in ------------------------------------------------

TEST(PictureFiles, JpegsDecodeToTheirSizes) {
    const RgbImage page = DecodeJpeg(PagePictureJpeg());
    EXPECT_EQ(page.width, 993);
    EXPECT_EQ(page.height, 636);
    EXPECT_EQ(page.rgb.size(), 993u * 636u * 3u);

    const RgbImage hand = DecodeJpeg(HandPictureJpeg());
    EXPECT_EQ(hand.width, 24);
    EXPECT_EQ(hand.height, 30);
    EXPECT_EQ(hand.rgb.size(), 24u * 30u * 3u);
}

TEST(PictureFiles, JpegsAreBaselineWithTheirSampling) {
    using Sampling = std::vector<std::pair<int, int>>;
    const struct {
        const char* name;
        std::span<const unsigned char> data;
        Sampling sampling;
    } cases[] = {
        {"page", PagePictureJpeg(), {{2, 2}, {1, 1}, {1, 1}}},
        {"hand", HandPictureJpeg(), {{1, 1}, {1, 1}, {1, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_GE(c.data.size(), 2u);
        ASSERT_EQ(c.data[0], 0xFF);
        ASSERT_EQ(c.data[1], 0xD8);
        const JpegLayout layout = ReadLayout(c.data);
        EXPECT_FALSE(layout.progressive);
        EXPECT_EQ(layout.sampling, c.sampling);
    }
}

TEST(PictureFiles, IconIsA64By64RgbaPng) {
    const Bytes icon = ToBytes(ProgramIconPng());
    ASSERT_GE(icon.size(), 33u);
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), icon.begin()));
    EXPECT_EQ(std::string(icon.begin() + 12, icon.begin() + 16), "IHDR");
    auto be32 = [&](std::size_t at) {
        return (std::uint32_t(icon[at]) << 24) | (icon[at + 1] << 16) | (icon[at + 2] << 8) | icon[at + 3];
    };
    EXPECT_EQ(be32(16), 64u);  // width
    EXPECT_EQ(be32(20), 64u);  // height
    EXPECT_EQ(icon[24], 8);    // bits per channel
    EXPECT_EQ(icon[25], 6);    // colour type: RGB with alpha
}

// ---- The page under the ten text fields -----------------------------------

struct FieldRect {
    const char* name;
    int x, y, width, height;
};

constexpr std::array<FieldRect, 10> kFieldRects = {{
    {"greeting", 450, 0, 128, 24},
    {"message count", 632, 0, 24, 24},
    {"date", 20, 588, 76, 16},
    {"description", 114, 585, 96, 24},
    {"time", 21, 607, 43, 16},
    {"number caption", 297, 590, 39, 15},
    {"site credit", 337, 588, 151, 16},
    {"transaction number", 297, 606, 111, 16},
    {"counterparty", 486, 588, 48, 19},
    {"amount", 682, 587, 56, 16},
}};

// The rectangle's mean colour, and how far any channel of any pixel strays from it.
std::pair<Rgb, double> MeanAndSpread(const RgbImage& page, const FieldRect& f) {
    double sum[3] = {0, 0, 0};
    for (int y = f.y; y < f.y + f.height; ++y)
        for (int x = f.x; x < f.x + f.width; ++x) {
            const Rgb p = PixelAt(page, x, y);
            sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
        }
    const double n = double(f.width) * f.height;
    const Rgb mean{sum[0] / n, sum[1] / n, sum[2] / n};
    double spread = 0;
    for (int y = f.y; y < f.y + f.height; ++y)
        for (int x = f.x; x < f.x + f.width; ++x) {
            const Rgb p = PixelAt(page, x, y);
            spread = std::max({spread, std::abs(p.r - mean.r), std::abs(p.g - mean.g), std::abs(p.b - mean.b)});
        }
    return {mean, spread};
}

class PicturePage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { page_ = new RgbImage(DecodeJpeg(PagePictureJpeg())); }
    static void TearDownTestSuite() { delete page_; }
    void SetUp() override { ASSERT_EQ(page_->width, 993) << "page does not decode"; }
    static RgbImage* page_;
};
RgbImage* PicturePage::page_ = nullptr;

TEST_F(PicturePage, EveryFieldRectangleIsPlain) {
    for (const FieldRect& f : kFieldRects) {
        SCOPED_TRACE(f.name);
        EXPECT_LE(MeanAndSpread(*page_, f).second, 6.0);
    }
}

TEST_F(PicturePage, WhiteHeaderTextHasContrast) {
    for (const FieldRect& f : {kFieldRects[0], kFieldRects[1]}) {
        SCOPED_TRACE(f.name);
        EXPECT_GE(ContrastRatio(MeanAndSpread(*page_, f).first, {255, 255, 255}), 4.5);
    }
}

TEST_F(PicturePage, FirstRowFieldsShareOneLightBackground) {
    const Rgb row = MeanAndSpread(*page_, kFieldRects[2]).first;
    EXPECT_GE(ContrastRatio(row, {77, 77, 77}), 4.5) << "dark row text would not read";
    for (std::size_t i = 3; i < kFieldRects.size(); ++i) {
        SCOPED_TRACE(kFieldRects[i].name);
        const Rgb c = MeanAndSpread(*page_, kFieldRects[i]).first;
        EXPECT_NEAR(c.r, row.r, 6.0);
        EXPECT_NEAR(c.g, row.g, 6.0);
        EXPECT_NEAR(c.b, row.b, 6.0);
    }
}

// ---- The decoder on fixtures ----------------------------------------------

TEST(PictureDecoder, KeepsChannelOrderAndRowOrder) {
    // 23 x 16: top half red | green | blue bands, bottom half white | black | grey.
    // The odd width gives rows of 69 bytes, so any padding of rows shows.
    constexpr int kWidth = 23, kHeight = 16;
    const std::array<std::array<std::uint8_t, 3>, 6> colours = {{
        {220, 30, 30}, {30, 200, 40}, {40, 50, 210}, {255, 255, 255}, {0, 0, 0}, {128, 128, 128},
    }};
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const auto& c = colours[(y / 8) * 3 + x / 8];
            rgb.insert(rgb.end(), c.begin(), c.end());
        }

    const RgbImage image = DecodeJpeg(EncodeJpeg(kWidth, kHeight, rgb));
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);
    for (int block = 0; block < 6; ++block) {
        const int x = (block % 3) * 8 + 3, y = (block / 3) * 8 + 4;
        SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
        const Rgb p = PixelAt(image, x, y);
        EXPECT_NEAR(p.r, colours[block][0], 4.0);
        EXPECT_NEAR(p.g, colours[block][1], 4.0);
        EXPECT_NEAR(p.b, colours[block][2], 4.0);
    }
}

TEST(PictureDecoder, WordLayoutHoldsTheSamePixels) {
    for (const auto& jpeg : {PagePictureJpeg(), HandPictureJpeg()}) {
        const RgbImage bytes = DecodeJpeg(jpeg);
        const RgbImage words = DecodeJpeg(jpeg, PixelLayout::Xrgb32);
        ASSERT_EQ(words.width, bytes.width);
        ASSERT_EQ(words.height, bytes.height);
        ASSERT_EQ(words.rgb.size(), bytes.rgb.size() / 3 * 4);
        for (std::size_t p = 0; p < bytes.rgb.size() / 3; ++p) {
            std::uint32_t word;
            std::memcpy(&word, &words.rgb[p * 4], 4);
            const std::uint32_t expected = 0xFF000000u | std::uint32_t{bytes.rgb[p * 3]} << 16 |
                                           std::uint32_t{bytes.rgb[p * 3 + 1]} << 8 | bytes.rgb[p * 3 + 2];
            ASSERT_EQ(word, expected) << "pixel " << p;
        }
    }
}

TEST(PictureDecoder, RefusesPicturesLargerThan16384OnASide) {
    const struct {
        int width, height;
        bool decodes;
    } cases[] = {{16384, 8, true}, {16385, 8, false}, {8, 16385, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const std::vector<std::uint8_t> grey(std::size_t(c.width) * c.height * 3, 90);
        const RgbImage image = DecodeJpeg(EncodeJpeg(c.width, c.height, grey));
        EXPECT_EQ(image.empty(), !c.decodes);
        if (c.decodes) {
            EXPECT_EQ(image.width, c.width);
        }
    }
}

TEST(PictureDecoder, BadDataGivesAnEmptyPictureSilently) {
    const Bytes page = ToBytes(PagePictureJpeg());
    ASSERT_GT(page.size(), 4000u);

    Bytes scan_cut_by_end_marker = page;  // an end-of-image marker halfway through the scan
    scan_cut_by_end_marker[page.size() / 2] = 0xFF;
    scan_cut_by_end_marker[page.size() / 2 + 1] = 0xD9;

    Bytes noise_after_start = {0xFF, 0xD8};
    std::uint32_t state = 12345;
    for (int i = 0; i < 3000; ++i) {
        state = state * 1103515245u + 12345u;
        noise_after_start.push_back(static_cast<unsigned char>(state >> 16));
    }

    const std::string text = "this is not a picture";
    const struct {
        const char* name;
        Bytes data;
    } cases[] = {
        {"zero length", {}},
        {"start marker only", {0xFF, 0xD8}},
        {"header, no scan", Bytes(page.begin(), page.begin() + 600)},
        {"truncated at half", Bytes(page.begin(), page.begin() + page.size() / 2)},
        {"truncated before the end marker", Bytes(page.begin(), page.end() - 2000)},
        {"scan cut by end marker", scan_cut_by_end_marker},
        {"noise after start marker", noise_after_start},
        {"text", Bytes(text.begin(), text.end())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::internal::CaptureStderr();
        const RgbImage image = DecodeJpeg(c.data);
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(image.empty());
        EXPECT_TRUE(image.rgb.empty());
        EXPECT_EQ(printed, "");
    }
}

}  // namespace
}  // namespace receipt::platform
