#pragma once
// Random Chinese person names: a surname from a fixed list and a given name of
// random GB2312 characters. All draws come from the tick-counter source.

#include "app/text.h"

namespace receipt {

// 407 two-byte characters (814 bytes); 于, 柯 and 郁 stand in it twice.
// Character k starts at byte 2k - 1 (counting from 1).
const Text& SurnameList();

// One whole character of the surname list. The first character is reached by
// one draw value, every other by two, so it comes up half as often.
Text RandomSurname();
// One GB2312 hanzi whose two bytes both lie from 0xB0 to 0xDA.
Text RandomHanzi();
// `count` random hanzi, letting the window system handle waiting events after
// each one; the empty text when count is below 1.
Text RandomGivenName(int count);

}  // namespace receipt
