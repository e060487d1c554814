#pragma once

#include <string>

namespace vbs {

// Dates are days since 30 Dec 1899 with the time of day as the fraction, as VBScript keeps them.
// They run from 1 Jan 100 to 31 Dec 9999; before day 0 the fraction still counts forwards, so
// the first day's times lie between -657434 and -657435.
constexpr double kFirstDay = -657434, kLastDay = 2958465;
inline bool inDateRange(double date) // false for NaN too
{
    return date > kFirstDay - 1 && date < kLastDay + 1;
}
// Before day 0 a date's fraction counts forwards from its (negative) day; the linear value
// counts time one way throughout, so that adding hours to it may cross midnight and day 0.
double linearFromDate(double date);
double dateFromLinear(double linear);
double dateSerial(int year, int month, int day); // out-of-range months and days roll over
double timeSerial(int hour, int minute, int second);
void splitDate(double date, int &year, int &month, int &day);
void splitTime(double date, int &hour, int &minute, int &second);
int weekday(double date); // 1 = Sunday
double nowLocal();
std::string formatDate(double date); // the general date format: "M/D/YYYY h:mm:ss AM"
std::string formatShortDate(double date);
std::string formatLongDate(double date);
std::string formatTime(double date);
bool parseDate(const std::u16string &text, double &out);
const char *monthName(int month, bool abbreviate);
const char *weekdayName(int day, bool abbreviate); // 1 = Sunday

} // namespace vbs
