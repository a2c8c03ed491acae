// The sign-in time in the user's formats, and the date alone in the first second after midnight.
#include <gtest/gtest.h>

#include "framework/DateUtils.h"

namespace {
SYSTEMTIME At(WORD h, WORD m, WORD s, WORD ms) {
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 12;
    t.wDay = 6;
    t.wDayOfWeek = 0;
    t.wHour = h;
    t.wMinute = m;
    t.wSecond = s;
    t.wMilliseconds = ms;
    return t;
}
std::string Date(const SYSTEMTIME& t) {
    char buf[128];
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, buf, sizeof buf);
    return buf;
}
std::string Time(const SYSTEMTIME& t) {
    char buf[128];
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, buf, sizeof buf);
    return buf;
}
}  // namespace

TEST(DateTimeText, ShortDateBlankLongTimeAndTheDateAloneAtMidnight) {
    SYSTEMTIME afternoon = At(14, 5, 9, 0);
    EXPECT_EQ(fw::DateTimeToStr(&afternoon), Date(afternoon) + " " + Time(afternoon));
    EXPECT_NE(Time(afternoon).find("05"), std::string::npos);
    SYSTEMTIME midnight = At(0, 0, 0, 999);
    EXPECT_EQ(fw::DateTimeToStr(&midnight), Date(midnight)) << "whatever the milliseconds";
    SYSTEMTIME oneSecondPast = At(0, 0, 1, 0);
    EXPECT_EQ(fw::DateTimeToStr(&oneSecondPast), Date(oneSecondPast) + " " + Time(oneSecondPast));
}
