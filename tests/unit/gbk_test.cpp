#include <gtest/gtest.h>

#include "platform/gbk.h"

namespace receipt::platform {
namespace {

TEST(GbkTest, EveryGb2312HanziRoundTrips) {
    int checked = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail >= 0xFA) continue;  // the empty end of row 0xD7
            const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
            const auto utf8 = GbkToUtf8(gbk);
            ASSERT_TRUE(utf8) << std::hex << lead << ' ' << trail;
            EXPECT_EQ(utf8->size(), 3u);  // one character of the CJK block
            EXPECT_EQ(Utf8ToGbk(*utf8), gbk);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 72 * 94 - 5);
}

TEST(GbkTest, MixedTextRoundTrips) {
    const std::string utf8 = "你好,  张三 -457.00 交易号：";
    const auto gbk = Utf8ToGbk(utf8);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(gbk->size(), 28u);
    EXPECT_EQ(GbkToUtf8(*gbk), utf8);
    EXPECT_EQ(Utf8ToGbk(""), "");
}

TEST(GbkTest, WhatGbkCannotHoldIsRefused) {
    EXPECT_FALSE(Utf8ToGbk("ok \xF0\x9F\x98\x80"));  // an emoji
    EXPECT_FALSE(Utf8ToGbk("\xE0\xB8\x81"));          // Thai
    EXPECT_FALSE(Utf8ToGbk("\xC3"));                  // broken UTF-8
    EXPECT_FALSE(GbkToUtf8("\x81"));                  // a lone lead byte
    EXPECT_FALSE(GbkToUtf8("ab\x81"));
    EXPECT_FALSE(GbkToUtf8("\xFF\xFF"));
}

// The converter writes nothing at all for the tag characters (U+E0000 to
// U+E007F): taking that for success would drop them from the text unseen.
TEST(GbkTest, CharactersThatConvertToNothingAreRefused) {
    for (const char* utf8 : {"\xF3\xA0\x80\x81", "\xF3\xA0\x81\x81", "\xF3\xA0\x81\xBF", "ab\xF3\xA0\x80\x80"}) {
        EXPECT_FALSE(Utf8ToGbk(utf8)) << testing::PrintToString(std::string(utf8));
    }
    // Every character GBK does hold comes back as itself.
    for (const char* utf8 : {"\xE2\x82\xAC", "\xC2\xB7", "\xE2\x80\x94", "\xEF\xBD\x9E"}) {
        const auto gbk = Utf8ToGbk(utf8);
        ASSERT_TRUE(gbk) << utf8;
        EXPECT_EQ(GbkToUtf8(*gbk), utf8);
    }
}

}  // namespace
}  // namespace receipt::platform
