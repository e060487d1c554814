#include "DateTime.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace vbs {

namespace {
// Days from 1970-01-01 for a proleptic Gregorian date.
long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int &y, int &m, int &d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const long long kEpochOffset = 25569; // 1970-01-01 as a day number

const char *kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                         "July",    "August",   "September", "October", "November", "December"};
const char *kMonthsShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char *kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                       "Thursday", "Friday", "Saturday"};
const char *kDaysShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
} // namespace

const char *monthName(int month, bool abbreviate)
{
    if (month < 1 || month > 12)
        return "";
    return abbreviate ? kMonthsShort[month - 1] : kMonths[month - 1];
}

const char *weekdayName(int day, bool abbreviate)
{
    if (day < 1 || day > 7)
        return "";
    return abbreviate ? kDaysShort[day - 1] : kDays[day - 1];
}

double dateSerial(int year, int month, int day)
{
    if (year >= 0 && year < 30)
        year += 2000;
    else if (year >= 30 && year < 100)
        year += 1900;
    long long m0 = static_cast<long long>(month) - 1;
    long long y = year + (m0 >= 0 ? m0 / 12 : (m0 - 11) / 12);
    long long m = ((m0 % 12) + 12) % 12 + 1;
    return static_cast<double>(daysFromCivil(y, static_cast<unsigned>(m), 1) + kEpochOffset +
                               (day - 1));
}

double linearFromDate(double date)
{
    double whole = std::trunc(date);
    return whole + std::fabs(date - whole);
}

double dateFromLinear(double linear)
{
    double whole = std::floor(linear);
    return whole >= 0 ? linear : whole - (linear - whole);
}

double timeSerial(int hour, int minute, int second)
{
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

// A negative date counts whole days backwards but its fraction forwards, as OLE dates do.
static void parts(double date, long long &days, double &frac)
{
    double whole = std::trunc(date);
    frac = std::fabs(date - whole);
    // Round to the second so that 0.1-style fractions do not read as 59.999 seconds.
    double secs = std::round(frac * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        whole += date < 0 ? -1 : 1;
    }
    frac = secs / 86400.0;
    days = static_cast<long long>(whole);
}

void splitDate(double date, int &year, int &month, int &day)
{
    long long days;
    double frac;
    parts(date, days, frac);
    civilFromDays(days - kEpochOffset, year, month, day);
}

void splitTime(double date, int &hour, int &minute, int &second)
{
    long long days;
    double frac;
    parts(date, days, frac);
    long secs = std::lround(frac * 86400.0);
    hour = static_cast<int>(secs / 3600);
    minute = static_cast<int>(secs / 60 % 60);
    second = static_cast<int>(secs % 60);
}

int weekday(double date)
{
    long long days;
    double frac;
    parts(date, days, frac);
    // Day 0 (30 Dec 1899) was a Saturday.
    long long w = ((days + 6) % 7 + 7) % 7; // 0 = Sunday
    return static_cast<int>(w) + 1;
}

double nowLocal()
{
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    return dateSerial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           timeSerial(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

std::string formatShortDate(double date)
{
    int y, m, d;
    splitDate(date, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d/%d/%d", m, d, y);
    return buf;
}

std::string formatLongDate(double date)
{
    int y, m, d;
    splitDate(date, y, m, d);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s, %s %d, %d", kDays[weekday(date) - 1], kMonths[m - 1], d, y);
    return buf;
}

std::string formatTime(double date)
{
    int h, mi, s;
    splitTime(date, h, mi, s);
    char buf[32];
    int h12 = h % 12 == 0 ? 12 : h % 12;
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, mi, s, h < 12 ? "AM" : "PM");
    return buf;
}

std::string formatDate(double date)
{
    long long days;
    double frac;
    parts(date, days, frac);
    // Day 0 is no date anyone means: 0 itself is midnight, as TimeSerial(0, 0, 0) gives.
    if (days == 0)
        return formatTime(date);
    if (frac == 0)
        return formatShortDate(date);
    return formatShortDate(date) + " " + formatTime(date);
}

namespace {
struct Tok {
    enum Kind { Num, Word, Sep } kind = Num;
    int num = 0;
    int digits = 0;
    std::string word;
    char sep = 0;
};

int monthFromWord(const std::string &w)
{
    for (int i = 0; i < 12; ++i) {
        std::string full = kMonths[i];
        for (auto &c : full)
            c = static_cast<char>(tolower(c));
        if (w.size() >= 3 && full.compare(0, w.size(), w) == 0)
            return i + 1;
    }
    return 0;
}
} // namespace

bool parseDate(const std::u16string &text, double &out)
{
    std::vector<Tok> toks;
    for (size_t i = 0; i < text.size();) {
        char16_t c = text[i];
        if (c > 127)
            return false;
        if (isdigit(c)) {
            Tok t;
            t.kind = Tok::Num;
            while (i < text.size() && text[i] < 128 && isdigit(text[i])) {
                t.num = t.num * 10 + (text[i] - '0');
                ++t.digits;
                ++i;
                if (t.digits > 4)
                    return false;
            }
            toks.push_back(t);
        } else if (isalpha(c)) {
            Tok t;
            t.kind = Tok::Word;
            while (i < text.size() && text[i] < 128 && isalpha(text[i]))
                t.word.push_back(static_cast<char>(tolower(text[i++])));
            toks.push_back(t);
        } else if (c == ' ' || c == ',' || c == '\t') {
            ++i;
        } else if (c == '/' || c == '-' || c == ':' || c == '.') {
            Tok t;
            t.kind = Tok::Sep;
            t.sep = static_cast<char>(c);
            toks.push_back(t);
            ++i;
        } else {
            return false;
        }
    }
    // Date part: numbers joined by / - . or a month name; time part: numbers joined by ':'.
    std::vector<int> dateNums;
    std::vector<int> dateDigits;
    int monthWord = 0;
    int timeNums[3] = {0, 0, 0};
    int timeCount = 0;
    int ampm = 0;
    bool haveDate = false, haveTime = false;
    for (size_t i = 0; i < toks.size(); ++i) {
        const Tok &t = toks[i];
        if (t.kind == Tok::Num) {
            bool isTime =
                (i + 1 < toks.size() && toks[i + 1].kind == Tok::Sep && toks[i + 1].sep == ':') ||
                (i + 1 < toks.size() && toks[i + 1].kind == Tok::Word &&
                 (toks[i + 1].word == "am" || toks[i + 1].word == "pm"));
            if (isTime) {
                if (haveTime)
                    return false;
                haveTime = true;
                timeNums[timeCount++] = t.num;
                while (i + 2 < toks.size() && toks[i + 1].kind == Tok::Sep &&
                       toks[i + 1].sep == ':' && toks[i + 2].kind == Tok::Num) {
                    if (timeCount == 3)
                        return false;
                    timeNums[timeCount++] = toks[i + 2].num;
                    i += 2;
                }
                continue;
            }
            dateNums.push_back(t.num);
            dateDigits.push_back(t.digits);
            haveDate = true;
        } else if (t.kind == Tok::Word) {
            if (t.word == "am" || t.word == "pm") {
                if (!haveTime)
                    return false;
                ampm = t.word == "am" ? 1 : 2;
            } else if (int m = monthFromWord(t.word)) {
                monthWord = m;
                haveDate = true;
            } else {
                bool dayName = false;
                for (int d = 0; d < 7; ++d) {
                    std::string full = kDays[d];
                    for (auto &c : full)
                        c = static_cast<char>(tolower(c));
                    if (t.word.size() >= 3 && full.compare(0, t.word.size(), t.word) == 0)
                        dayName = true;
                }
                if (!dayName)
                    return false;
            }
        } else if (t.sep == ':') {
            return false;
        }
    }
    if (!haveDate && !haveTime)
        return false;
    double result = 0;
    if (haveDate) {
        int y, m, d;
        if (monthWord) {
            if (dateNums.size() == 1) {
                d = dateNums[0];
                int yy, mm, dd;
                splitDate(nowLocal(), yy, mm, dd);
                y = yy;
            } else if (dateNums.size() == 2) {
                d = dateNums[0];
                y = dateNums[1];
                if (dateDigits[0] == 4) {
                    y = dateNums[0];
                    d = dateNums[1];
                }
            } else {
                return false;
            }
            m = monthWord;
        } else if (dateNums.size() == 3) {
            if (dateDigits[0] >= 3) { // ISO order
                y = dateNums[0];
                m = dateNums[1];
                d = dateNums[2];
            } else {
                m = dateNums[0];
                d = dateNums[1];
                y = dateNums[2];
                if (m > 12 && d <= 12)
                    std::swap(m, d);
            }
        } else if (dateNums.size() == 2) {
            int yy, mm, dd;
            splitDate(nowLocal(), yy, mm, dd);
            m = dateNums[0];
            d = dateNums[1];
            y = yy;
            if (m > 12 && d <= 12)
                std::swap(m, d);
        } else {
            return false;
        }
        if (y < 100 && (dateNums.empty() || dateDigits.back() <= 2))
            y += y < 30 ? 2000 : 1900;
        if (m < 1 || m > 12 || d < 1 || y < 100 || y > 9999)
            return false;
        static const int kDaysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        if (d > kDaysIn[m - 1] || (m == 2 && d == 29 && !leap))
            return false;
        result = dateSerial(y, m, d);
    }
    if (haveTime) {
        int h = timeNums[0];
        if (ampm) {
            if (h < 1 || h > 12)
                return false;
            h = h % 12 + (ampm == 2 ? 12 : 0);
        }
        if (h > 23 || timeNums[1] > 59 || timeNums[2] > 59)
            return false;
        double t = timeSerial(h, timeNums[1], timeNums[2]);
        result = result < 0 ? result - t : result + t;
    }
    out = result;
    return true;
}

} // namespace vbs
