#pragma once

#include <string>

namespace vbs {

// Dates are days since 30 Dec 1899 with the time of day as the fraction, as VBScript keeps them.
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
