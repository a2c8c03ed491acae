// The sign-in time in the user's formats (the tests run with the Chinese regional
// settings: short date "yyyy/M/d", long time "HH:mm:ss"), and the date alone in the first
// second after midnight.
#include <gtest/gtest.h>

#include "framework/DateUtils.h"

namespace {
SYSTEMTIME At(WORD h, WORD m, WORD s, WORD ms) {
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 3;
    t.wDay = 6;
    t.wDayOfWeek = 5;
    t.wHour = h;
    t.wMinute = m;
    t.wSecond = s;
    t.wMilliseconds = ms;
    return t;
}
}  // namespace

TEST(DateTimeText, ShortDateBlankLongTimeAndTheDateAloneAtMidnight) {
    SYSTEMTIME afternoon = At(14, 5, 9, 0);
    EXPECT_EQ(fw::DateTimeToStr(&afternoon), "2026/3/6 14:05:09");
    SYSTEMTIME morning = At(7, 0, 0, 0);
    EXPECT_EQ(fw::DateTimeToStr(&morning), "2026/3/6 07:00:00");
    SYSTEMTIME midnight = At(0, 0, 0, 999);
    EXPECT_EQ(fw::DateTimeToStr(&midnight), "2026/3/6") << "whatever the milliseconds";
    SYSTEMTIME oneSecondPast = At(0, 0, 1, 0);
    EXPECT_EQ(fw::DateTimeToStr(&oneSecondPast), "2026/3/6 00:00:01");
}
