#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The sentences of the Read command for the time and the date: always English, numbers
// without leading zeros, whatever the user's regional settings.
class SpokenClock {
public:
    static QString spokenTime(const QTime &time);
    static QString shownTime(const QTime &time);
    static QString monthName(int month);
    static QString dateText(const QDate &date);
};
