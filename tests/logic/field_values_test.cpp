#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/seeded_random.h"
#include "platform/gbk.h"
#include "tests/logic/fake_platform.h"
#include "window/control_names.h"
#include "window/field_values.h"

namespace receipt {
namespace {

std::string Gbk(std::string_view utf8) { return platform::Utf8ToGbk(utf8).value(); }

// The offset that the next SeedRandom adds to the tick count. Every seeding in
// this process moves it on, and the generator has no way to read it, so it is
// found from the draws: seeding at tick 0 makes the state the offset itself; a
// full-width draw reveals bits 16..30 of the next state, and its low 16 bits
// are searched and checked against two more draws. Bit 31 of a state reaches
// neither a draw nor the offset's low bits, so it is taken as 0.
std::uint32_t NextSeedOffset() {
    SeedRandomAt(0);
    const auto r1 = static_cast<std::uint32_t>(RandomInRange(0, 32767));
    const int r2 = RandomInRange(0, 32767);
    const int r3 = RandomInRange(0, 32767);
    constexpr std::uint32_t kMultiplier = 214013u, kIncrement = 2531011u;
    std::uint32_t inverse = kMultiplier;  // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - kMultiplier * inverse;
    for (std::uint32_t low = 0; low < 0x10000u; ++low) {
        const std::uint32_t first = r1 << 16 | low;
        const std::uint32_t second = NextGeneratorState(first);
        if (DrawInRange(second, 0, 32767) != r2 || DrawInRange(NextGeneratorState(second), 0, 32767) != r3) continue;
        const std::uint32_t offset = (first - kIncrement) * inverse;
        return SeedFor(0, offset).nextOffset;
    }
    ADD_FAILURE() << "no generator state fits the draws";
    return 0;
}

class FieldValuesTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }

    // Sets the tick count so that the next SeedRandom seeds with `seed`.
    static void NextSeedIs(std::uint32_t seed) { fake::State().ticks = seed - NextSeedOffset(); }

    static void CounterReads(std::vector<std::uint32_t> readings) { fake::State().counter = std::move(readings); }

    static const std::string& Field(int n) { return fake::State().controls[ControlName(kFieldLabel, n)].text; }
};

TEST_F(FieldValuesTest, WritesTheTenFieldsInOrder) {
    NextSeedIs(0);
    fake::State().now = {2027, 1, 5, 0, 0, 0};
    CounterReads({
        1,     // surname draw 31: position 31, the 16th character 杨
        2,     // name length draw 2
        1, 0,  // draws 68 and 45: bytes BC D3 (加)
        2, 3,  // draws 48 and 71: bytes D0 B9 (泄)
        5,     // field 2: draw 24
        100,   // field 10: draw 310, made odd: 311
    });

    OnMainWindowCreated();

    const std::string expected[] = {
        Gbk("你好,  杨") + "\xBC\xD3\xD0\xB9",
        "24",
        "2027.1.5",
        Gbk("付款-仅供娱乐"),
        "0:0",
        Gbk("交易号："),
        "    marrowfen.example",
        "010388719",
        Gbk("Marrowfen论坛"),
        "-311.00",
    };
    std::vector<std::string> names;
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(Field(n), expected[n - 1]) << "field " << n;
        names.push_back(ControlName(kFieldLabel, n));
    }
    EXPECT_EQ(fake::State().labelWrites, names);
    EXPECT_EQ(fake::State().counterReads, 8u);
    EXPECT_EQ(fake::State().processEventsCalls, 2);
    for (const auto& [name, control] : fake::State().controls) EXPECT_FALSE(control.visible) << name;
}

TEST_F(FieldValuesTest, DateAndTimeAreNotZeroPadded) {
    struct Case { platform::LocalTime now; const char* date; const char* time; };
    const Case cases[] = {
        {{2026, 3, 7, 9, 5, 0}, "2026.3.7", "9:5"},
        {{2026, 12, 31, 14, 30, 59}, "2026.12.31", "14:30"},
        {{2030, 10, 10, 23, 59, 0}, "2030.10.10", "23:59"},
    };
    for (const Case& c : cases) {
        fake::Reset();
        fake::State().now = c.now;
        OnMainWindowCreated();
        EXPECT_EQ(Field(3), c.date);
        EXPECT_EQ(Field(5), c.time);
    }
}

TEST_F(FieldValuesTest, TransactionNumberComesFromTheSeededGenerator) {
    struct Case { std::uint32_t seed; const char* expected; };
    for (const Case& c : {Case{0, "010388719"}, Case{1, "010411467"}}) {
        fake::Reset();
        NextSeedIs(c.seed);
        OnMainWindowCreated();
        EXPECT_EQ(Field(8), c.expected) << c.seed;
    }
}

TEST_F(FieldValuesTest, TransactionNumberReachesBothEndsOfItsRange) {
    // The first seeds whose first draw is 1000 and 9999, found with the
    // generator's own steps.
    for (const int wanted : {1000, 9999}) {
        std::uint32_t seed = 0;
        while (DrawInRange(NextGeneratorState(seed), 1000, 9999) != wanted) ++seed;
        fake::Reset();
        NextSeedIs(seed);
        OnMainWindowCreated();
        EXPECT_EQ(Field(8).substr(0, 1), "0") << seed;
        EXPECT_EQ(Field(8).substr(1, 4), std::to_string(wanted)) << seed;
        EXPECT_EQ(Field(8).size(), 9u);
    }
}

TEST_F(FieldValuesTest, AmountFollowsTheCounter) {
    // Readings of 0 before it: surname, length 2, four hanzi bytes, field 2.
    struct Case { std::uint32_t reading; const char* expected; };
    const Case cases[] = {
        {0, "-9.00"},             // draw 8, made odd
        {0xFFFFFFFFu, "-547.00"},  // draw 547
        {738, "-999.00"},         // draw 998, made odd: still within 999
    };
    for (const Case& c : cases) {
        fake::Reset();
        CounterReads({0, 0, 0, 0, 0, 0, 0, c.reading});
        OnMainWindowCreated();
        EXPECT_EQ(Field(10), c.expected) << c.reading;
    }
}

TEST(FixedTextsTest, GreetingPrefixIsSevenGbkBytes) {
    EXPECT_EQ(GreetingPrefix(), Gbk("你好,  "));
    EXPECT_EQ(GreetingPrefix().size(), 7u);
}

}  // namespace
}  // namespace receipt
