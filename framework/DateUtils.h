// Dates and times as the user's regional settings write them.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

// The date and time (the local time now when none is given) in the user's short date
// and long time formats, joined by a blank; the date alone when hour, minute and second
// are all zero.
std::string DateTimeToStr(const SYSTEMTIME* time = nullptr);

// A date and time as days since the epoch; the time of day is the fraction.
using TDateTime = double;
// A time of day as a fraction of a day. Raises EConvertError for an hour above 23, a
// minute or second above 59 or a millisecond above 999.
TDateTime EncodeTime(unsigned Hour, unsigned Min, unsigned Sec, unsigned MSec);

}  // namespace fw
