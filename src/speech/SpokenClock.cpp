#include "SpokenClock.h"

namespace {
const char *const kMonths[12] = {"january",   "february", "march",    "april",
                                 "may",       "june",     "july",     "august",
                                 "september", "october",  "november", "december"};
}

QString SpokenClock::spokenTime(const QTime &time)
{
    return QStringLiteral("It's %1 %2").arg(time.hour()).arg(time.minute());
}

QString SpokenClock::shownTime(const QTime &time)
{
    return QStringLiteral("It's %1:%2").arg(time.hour()).arg(time.minute());
}

QString SpokenClock::monthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    return QString::fromLatin1(kMonths[month - 1]);
}

QString SpokenClock::dateText(const QDate &date)
{
    return QStringLiteral("Today it's ") + monthName(date.month()) + ' ' +
           QString::number(date.day());
}
