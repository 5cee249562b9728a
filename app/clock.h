#pragma once
// The local clock, read fresh at every call.

namespace receipt {

struct DateTime {
    int year = 0;
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..60
};

DateTime Now();
int YearOf(const DateTime& d);
int MonthOf(const DateTime& d);
int DayOf(const DateTime& d);
int HourOf(const DateTime& d);
int MinuteOf(const DateTime& d);

}  // namespace receipt
