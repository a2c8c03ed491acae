#include "framework/DateUtils.h"

namespace fw {

std::string DateTimeToStr(const SYSTEMTIME* time) {
    SYSTEMTIME now;
    if (!time) {
        GetLocalTime(&now);
        time = &now;
    }
    char date[128] = "", clock[128] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, time, nullptr, date, sizeof date);
    if (time->wHour == 0 && time->wMinute == 0 && time->wSecond == 0) return date;
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, time, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
    return (((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / 86400000.0;
}

}  // namespace fw
