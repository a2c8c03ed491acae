// The date unit's start-up tables: the captions of its buttons and the first day of the
// week from the thread's locale.
#pragma once
#include <cstdint>
#include <string>

#include "framework/Units.h"

namespace editors {

extern std::string TodayCaption, ClearCaption;
// 0 = Sunday, 1 = Monday, ..., 6 = Saturday.
extern std::uint8_t FirstDayOfWeek;

// The locale's LOCALE_IFIRSTDAYOFWEEK text (Monday 0 ... Sunday 6) in the numbering above.
// A text that is not a number counts as a failed query, "0" (Monday).
std::uint8_t FirstDayOfWeekFromLocale(const std::string& localeValue);
// The thread locale's LOCALE_IFIRSTDAYOFWEEK text; "0" when the query fails.
std::string ThreadLocaleFirstDayOfWeek();

fw::TUnit& dxGrDateUnit();

}  // namespace editors
