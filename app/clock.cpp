#include "app/clock.h"

#include "platform/clock.h"

namespace receipt {

DateTime Now() {
    const platform::LocalTime t = platform::LocalNow();
    return DateTime{t.year, t.month, t.day, t.hour, t.minute, t.second};
}

int YearOf(const DateTime& d) { return d.year; }
int MonthOf(const DateTime& d) { return d.month; }
int DayOf(const DateTime& d) { return d.day; }
int HourOf(const DateTime& d) { return d.hour; }
int MinuteOf(const DateTime& d) { return d.minute; }

}  // namespace receipt
