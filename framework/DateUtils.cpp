#include "framework/DateUtils.h"

#include "framework/Classes.h"

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

TDateTime EncodeTime(unsigned Hour, unsigned Min, unsigned Sec, unsigned MSec) {
    if (Hour > 23 || Min > 59 || Sec > 59 || MSec > 999) throw EConvertError("Invalid argument to time encode");
    return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / 86400000.0;
}

}  // namespace fw
