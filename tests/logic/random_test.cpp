#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/gbk.h"
#include "random/person_name.h"
#include "random/tick_random.h"
#include "tests/logic/fake_platform.h"

namespace receipt {
namespace {

// The Unicode code points of a GBK text; empty when the bytes are not GBK.
std::u32string CodePoints(std::string_view gbk) {
    const std::optional<std::string> utf8 = platform::GbkToUtf8(gbk);
    std::u32string points;
    if (!utf8) return points;
    for (std::size_t i = 0; i < utf8->size();) {
        const auto lead = static_cast<unsigned char>((*utf8)[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k) point = point << 6 | (static_cast<unsigned char>((*utf8)[i + k]) & 0x3F);
        points.push_back(point);
        i += length;
    }
    return points;
}

bool IsHanzi(char32_t point) { return point >= 0x4E00 && point <= 0x9FFF; }

class RandomTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }

    // The counter reads these values one after another (the last repeats).
    static void CounterReads(std::vector<std::uint32_t> readings) {
        fake::State().counter = std::move(readings);
        fake::State().counterReads = 0;
    }
    // Readings 0, 1, ..., count - 1. When count is prime to 23, their scrambled
    // values leave every remainder modulo count exactly once.
    static void CounterReadsEveryResidue(std::uint32_t count) {
        std::vector<std::uint32_t> readings(count);
        for (std::uint32_t t = 0; t < count; ++t) readings[t] = t;
        CounterReads(std::move(readings));
    }
};

TEST(TickDrawTest, ScramblesTheReadingIntoTheRange) {
    struct Case { std::uint32_t t; int low, high; std::uint32_t expected; };
    const Case cases[] = {
        {0, 1, 99, 8},             // scrambled value 7
        {0, 38, 80, 45},
        {0xFFFFFFFFu, 1, 999, 547},  // wraps to 2^32 - 16
        {1, 1, 999, 31},
        {100, 1, 999, 310},
        {0, INT_MIN, INT_MAX, 0x80000007u},  // the whole 32-bit range
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TickDraw(c.t, c.low, c.high), c.expected) << c.t << " " << c.low << ".." << c.high;
    }
}

TEST(TickDrawTest, SingleValueRangeAndParityOfTwoValueRange) {
    for (std::uint32_t t : {0u, 1u, 2u, 3u, 22u, 123456789u, 0xFFFFFFFEu, 0xFFFFFFFFu}) {
        EXPECT_EQ(TickDraw(t, 5, 5), 5u) << t;
        // 23t + 7 has the opposite parity to t.
        EXPECT_EQ(TickDraw(t, 1, 2), t % 2 == 1 ? 1u : 2u) << t;
    }
}

TEST(NumberTextTest, ParityRules) {
    struct Case { std::uint32_t n; int parity; const char* expected; };
    const Case cases[] = {
        {8, 0, "8"},    {99, 0, "99"},  {1, 0, "1"},     {8, -1, "8"},  {8, 3, "8"},
        {7, 1, "7"},    {8, 1, "9"},    {998, 1, "999"}, {999, 1, "999"},
        {2, 1, "3"},    // above a high of 2: forcing can leave the range
        {8, 2, "10"},   {7, 2, "8"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberText(c.n, c.parity), c.expected) << c.n << " parity " << c.parity;
    }
}

TEST(NumberTextTest, OddAmountsStayOddAndWithinRange) {
    std::set<int> seen;
    for (std::uint32_t n = 1; n <= 999; ++n) {
        const Text text = NumberText(n, 1);
        ASSERT_EQ(text.find_first_not_of("0123456789"), Text::npos) << text;
        const int value = std::stoi(text);
        EXPECT_EQ(value % 2, 1) << n;
        EXPECT_GE(value, 1);
        EXPECT_LE(value, 999);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 500u);  // every odd number from 1 to 999
}

TEST_F(RandomTest, EveryDrawReadsTheCounterAfresh) {
    CounterReads({0, 0xFFFFFFFFu, 100});
    EXPECT_EQ(TickRandom(1, 99), 8u);
    EXPECT_EQ(TickRandom(1, 999), 547u);
    EXPECT_EQ(RandomNumberText(1, 999, 1), "311");
    EXPECT_EQ(fake::State().counterReads, 3u);
}

TEST_F(RandomTest, PlainNumbersCoverTheRangeWithoutLeadingZeros) {
    CounterReadsEveryResidue(99);
    std::set<Text> seen;
    for (int i = 0; i < 99; ++i) seen.insert(RandomNumberText(1, 99, 0));
    std::set<Text> expected;
    for (int v = 1; v <= 99; ++v) expected.insert(std::to_string(v));
    EXPECT_EQ(seen, expected);
}

TEST(SurnameListTest, HoldsItsCharactersInGbk) {
    EXPECT_EQ(SurnameList().size(), 814u);
    const std::u32string points = CodePoints(SurnameList());
    ASSERT_EQ(points.size(), 407u);
    EXPECT_EQ(points.front(), U'赵');
    EXPECT_EQ(points[1], U'钱');
    EXPECT_EQ(points.back(), U'公');
    std::map<char32_t, int> occurrences;
    for (char32_t p : points) ++occurrences[p];
    for (char32_t twice : {U'于', U'柯', U'郁'}) EXPECT_EQ(occurrences[twice], 2);
    EXPECT_EQ(occurrences.size(), 404u);
}

TEST_F(RandomTest, SurnamesAreWholeCharactersAndTheFirstHasHalfWeight) {
    // Every remainder of the scrambled value modulo 813 once: every draw 1..813.
    CounterReadsEveryResidue(813);
    std::map<std::u32string, int> drawn;
    for (int i = 0; i < 813; ++i) {
        const Text surname = RandomSurname();
        ASSERT_EQ(surname.size(), 2u);
        const std::u32string points = CodePoints(surname);
        ASSERT_EQ(points.size(), 1u);
        ASSERT_NE(CodePoints(SurnameList()).find(points), std::u32string::npos);
        ++drawn[points];
    }
    EXPECT_EQ(drawn.size(), 404u);  // every character of the list
    EXPECT_EQ(drawn[U"赵"], 1);
    EXPECT_EQ(drawn[U"钱"], 2);
    EXPECT_EQ(drawn[U"公"], 2);
    EXPECT_EQ(drawn[U"于"], 4);  // listed twice
}

TEST_F(RandomTest, EveryHanziPairIsOneChineseCharacter) {
    std::set<Text> pairs;
    for (std::uint32_t t1 = 0; t1 < 43; ++t1) {
        for (std::uint32_t t2 = 0; t2 < 43; ++t2) {
            CounterReads({t1, t2});
            const Text hanzi = RandomHanzi();
            ASSERT_EQ(hanzi.size(), 2u);
            for (unsigned char byte : hanzi) {
                EXPECT_GE(byte, 0xB0);
                EXPECT_LE(byte, 0xDA);
            }
            const std::u32string points = CodePoints(hanzi);
            ASSERT_EQ(points.size(), 1u) << t1 << " " << t2;
            EXPECT_TRUE(IsHanzi(points[0])) << std::hex << static_cast<std::uint32_t>(points[0]);
            pairs.insert(hanzi);
        }
    }
    EXPECT_EQ(pairs.size(), 43u * 43u);  // every pair of bytes 0xB0..0xDA
}

TEST_F(RandomTest, HanziFromTwoReadingsOfZero) {
    CounterReads({0});
    EXPECT_EQ(RandomHanzi(), "\xD3\xD3");  // 佑
    EXPECT_EQ(fake::State().counterReads, 2u);
}

TEST_F(RandomTest, GivenNameLengthAndEventProcessing) {
    struct Case { int count; std::size_t bytes; int processEventsCalls; };
    for (const Case& c : {Case{-1, 0, 0}, Case{0, 0, 0}, Case{1, 2, 1}, Case{2, 4, 2}}) {
        fake::Reset();
        const Text name = RandomGivenName(c.count);
        EXPECT_EQ(name, std::string(c.bytes, '\xD3')) << c.count;
        EXPECT_EQ(fake::State().processEventsCalls, c.processEventsCalls) << c.count;
        EXPECT_EQ(fake::State().counterReads, c.bytes) << c.count;  // two readings a character
    }
}

TEST_F(RandomTest, GivenNameCharactersFollowTheReadingsInOrder) {
    CounterReads({1, 0, 2, 3});  // draws 68, 45, 48, 71: bytes BC D3 D0 B9
    EXPECT_EQ(RandomGivenName(2), "\xBC\xD3\xD0\xB9");  // 加泄
}

}  // namespace
}  // namespace receipt
