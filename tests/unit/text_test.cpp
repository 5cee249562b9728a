#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <string>

#include "app/text.h"

namespace receipt {
namespace {

const Text kWang = GbkText("王");
const Text kMing = GbkText("明");

TEST(TextTest, ConcatJoinsBytesInOrder) {
    const Text greeting = GbkText("你好,  ");
    ASSERT_EQ(TextLength(greeting), 7);
    const Text name = Concat(greeting, kWang, kMing);
    EXPECT_EQ(TextLength(name), 11);
    EXPECT_EQ(name, greeting + kWang + kMing);
    EXPECT_EQ(Concat(Text("a"), Text(), Text("bc"), Text("d"), Text("")), "abcd");
}

TEST(TextTest, ConcatOfMissingTextsIsEmptyWithStorageOfItsOwn) {
    const Text joined = Concat(Text(), Text());
    EXPECT_EQ(joined, "");
    EXPECT_EQ(joined.c_str()[0], '\0');
}

TEST(TextTest, LengthCountsBytesBeforeTheFirstNul) {
    EXPECT_EQ(TextLength(kWang + kMing), 4);
    EXPECT_EQ(TextLength(Text()), 0);
    EXPECT_EQ(TextLength(std::string_view("ab\0cd", 5)), 2);
}

TEST(TextTest, MidCutsByBytePosition) {
    const Text t = "\xC7\xAE\xCB\xEF";  // two characters, four bytes
    struct Case { int start, length; Text expected; };
    const Case cases[] = {
        {3, 2, "\xCB\xEF"}, {3, 5, "\xCB\xEF"}, {1, 2, "\xC7\xAE"}, {1, 4, t},
        {5, 2, ""}, {0, 2, ""}, {-3, 2, ""}, {2, 0, ""}, {2, -1, ""}, {4, 1, "\xEF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextMid(t, c.start, c.length), c.expected) << "start " << c.start << " length " << c.length;
    }
    EXPECT_EQ(TextMid(Text(), 1, 2), "");
}

TEST(TextTest, IntegersAreWrittenPlain) {
    struct Case { int value; const char* expected; };
    const Case cases[] = {{0, "0"}, {5, "5"}, {2026, "2026"}, {-7, "-7"}, {-2147483647 - 1, "-2147483648"}};
    for (const Case& c : cases) EXPECT_EQ(ToText(c.value), c.expected);
}

TEST(TextTest, DoublesAreWrittenWithAtMostThirteenSignificantDigits) {
    struct Case { double value; const char* expected; };
    const Case cases[] = {
        {999.0, "999"}, {1.0, "1"}, {0.5, "0.5"}, {-2.25, "-2.25"}, {1.0 / 3.0, "0.3333333333333"},
        {123456789012.5, "123456789012.5"}, {0.1 + 0.2, "0.3"}, {0.0, "0"}, {-0.0, "0"},
        {2.0 / 3.0, "0.6666666666667"}, {9999999999999.4, "9999999999999"}, {0.00125, "0.00125"},
        {1e12, "1000000000000"}, {-999.0, "-999"},
    };
    for (const Case& c : cases) EXPECT_EQ(ToText(c.value), c.expected) << c.value;
}

TEST(TextTest, TextIsCopied) {
    EXPECT_EQ(ToText(kWang), kWang);
    EXPECT_EQ(ToText(Text()), "");
}

TEST(TextTest, ToNumberReadsTheLeadingDecimalNumber) {
    struct Case { const char* text; double expected; };
    const Case cases[] = {
        {"", 0.0}, {"1", 1.0}, {"2", 2.0}, {"813", 813.0}, {"  \t42", 42.0}, {"12abc", 12.0},
        {"-3.5x", -3.5}, {"+7", 7.0}, {"abc", 0.0}, {".5", 0.5}, {"5.", 5.0}, {"-", 0.0}, {"1e5", 1.0},
    };
    for (const Case& c : cases) EXPECT_EQ(ToNumber(c.text), c.expected) << '"' << c.text << '"';
}

// A number of more digits than a double holds is still read as the number it
// is: too large gives infinity (not zero), too small gives zero.
TEST(TextTest, ToNumberBeyondTheRangeOfADouble) {
    const std::string huge = "1" + std::string(400, '0');
    const std::string tiny = "0." + std::string(400, '0') + "1";
    struct Case { std::string text; double expected; };
    const Case cases[] = {
        {huge, HUGE_VAL}, {"-" + huge + ".5", -HUGE_VAL}, {"  " + huge + "abc", HUGE_VAL},
        {std::string(309, '9'), HUGE_VAL}, {"1" + std::string(308, '0'), 1e308},
        {tiny, 0.0}, {"-" + tiny, -0.0}, {"0.000000001", 1e-9},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToNumber(c.text), c.expected) << c.text.substr(0, 20) << "... (" << c.text.size() << " bytes)";
        EXPECT_EQ(std::signbit(ToNumber(c.text)), std::signbit(c.expected)) << c.text.substr(0, 20);
    }
}

TEST(TextTest, TruncateRoundsTowardZero) {
    EXPECT_EQ(TruncateToInt64(-38.0), -38);
    EXPECT_EQ(TruncateToInt64(2.9), 2);
    EXPECT_EQ(TruncateToInt64(-2.9), -2);
    EXPECT_EQ(TruncateToInt64(-80.0), -80);
}

TEST(TextTest, CharFromCodeKeepsTheLowByte) {
    EXPECT_EQ(CharFromCode(-38), "\xDA");
    EXPECT_EQ(CharFromCode(-80), "\xB0");
    EXPECT_EQ(CharFromCode(65), "A");
    EXPECT_EQ(CharFromCode(256), "");
}

TEST(TextTest, ModuloHasTheSignOfTheDividend) {
    EXPECT_EQ(Modulo(999.0, 2.0), 1.0);
    EXPECT_EQ(Modulo(998.0, 2.0), 0.0);
    EXPECT_EQ(Modulo(-7.0, 2.0), -1.0);
}

#if defined(__SANITIZE_ADDRESS__)
#define RECEIPT_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RECEIPT_UNDER_ASAN 1
#endif
#endif

// Joins two 48 MB texts under an address-space limit that leaves no room for
// the 96 MB result.
[[maybe_unused]] void JoinBeyondTheMemoryLimit() {  // unused where the test skips itself
    const Text big(48u << 20, 'x');
    unsigned long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = pages * 4096ul + (64ul << 20);
    setrlimit(RLIMIT_AS, &limit);
    const Text joined = Concat(big, big);
    std::printf("joined %zu bytes\n", joined.size());
}

TEST(TextDeathTest, OutOfMemoryNamesTheBytesAndExitsWithMinusOne) {
#ifdef RECEIPT_UNDER_ASAN
    GTEST_SKIP() << "the address sanitizer reserves address space, so the limit cannot be set";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(JoinBeyondTheMemoryLimit(), testing::ExitedWithCode(255), "cannot obtain 100663297 bytes");
#endif
}

}  // namespace
}  // namespace receipt
