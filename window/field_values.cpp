#include "window/field_values.h"

#include <string>

#include "app/clock.h"
#include "app/controls.h"
#include "app/seeded_random.h"
#include "random/person_name.h"
#include "random/tick_random.h"
#include "window/control_names.h"
#include "window/site.h"

namespace receipt {
namespace {

const Text& Description() {
    static const Text text = GbkText("付款-仅供娱乐");
    return text;
}

const Text& Caption() {
    static const Text text = GbkText("交易号：");
    return text;
}

const Text& SiteCredit() {
    static const Text text = GbkText("    " + std::string(kSiteAddress));
    return text;
}

const Text& ForumName() {
    static const Text text = GbkText("Marrowfen论坛");
    return text;
}

void WriteField(int field, const Text& value) { SetControlText(ControlName(kFieldLabel, field), value); }

// The greeting and a surname followed by one or two given-name characters.
Text GreetingWithRandomName() {
    const Text surname = RandomSurname();
    const int count = static_cast<int>(TruncateToInt64(ToNumber(RandomNumberText(1, 2, 0))));
    const Text given = RandomGivenName(count);
    return Concat(GreetingPrefix(), surname, given);
}

// Year.month.day, each part from its own reading of the clock, not zero-padded.
Text Today() {
    const Text year = ToText(YearOf(Now()));
    const Text month = ToText(MonthOf(Now()));
    const Text day = ToText(DayOf(Now()));
    return Concat(year, ".", month, ".", day);
}

// Hour:minute, each from its own reading of the clock, not zero-padded.
Text TimeOfDay() {
    const Text hour = ToText(HourOf(Now()));
    const Text minute = ToText(MinuteOf(Now()));
    return Concat(hour, ":", minute);
}

// "0" and two four-digit draws of the seeded generator, in the order drawn.
Text TransactionNumber() {
    const Text first = ToText(RandomInRange(1000, 9999));
    const Text second = ToText(RandomInRange(1000, 9999));
    return Concat("0", first, second);
}

// An odd whole amount from 1 to 999, negative, with two zero decimals.
Text Amount() { return Concat("-", RandomNumberText(1, 999, 1), ".00"); }

}  // namespace

const Text& GreetingPrefix() {
    static const Text text = GbkText("你好,  ");
    return text;
}

void OnMainWindowCreated() {
    SeedRandom();
    WriteField(1, GreetingWithRandomName());
    WriteField(2, RandomNumberText(1, 99, 0));
    WriteField(3, Today());
    WriteField(4, Description());
    WriteField(5, TimeOfDay());
    WriteField(6, Caption());
    WriteField(7, SiteCredit());
    WriteField(8, TransactionNumber());
    WriteField(9, ForumName());
    WriteField(10, Amount());
}

}  // namespace receipt
