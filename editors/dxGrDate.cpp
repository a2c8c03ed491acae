#include "editors/dxGrDate.h"

#include <windows.h>

#include "editors/EditorStrings.h"
#include "framework/SysUtils.h"

namespace editors {

std::string TodayCaption, ClearCaption;
std::uint8_t FirstDayOfWeek = 0;

std::uint8_t FirstDayOfWeekFromLocale(const std::string& localeValue) {
    int day = 0;
    if (!fw::TryStrToInt(localeValue, day)) day = 0;
    const auto stored = static_cast<std::uint8_t>(day + 1);
    return stored > 6 ? 0 : stored;
}

std::string ThreadLocaleFirstDayOfWeek() {
    char buf[16];
    int n = GetLocaleInfoA(GetThreadLocale(), LOCALE_IFIRSTDAYOFWEEK, buf, sizeof buf);
    return n > 0 ? std::string(buf) : std::string("0");
}

fw::TUnit& dxGrDateUnit() {
    static fw::TUnit unit(
        "dxGrDate",
        [] {
            TodayCaption = fw::LoadStr(sdxTodayCaption);
            ClearCaption = fw::LoadStr(sdxClearCaption);
            FirstDayOfWeek = FirstDayOfWeekFromLocale(ThreadLocaleFirstDayOfWeek());
        },
        [] {
            ClearCaption.clear();
            TodayCaption.clear();
        });
    return unit;
}

}  // namespace editors
