#include "WindowActivator.h"

int WindowActivator::bestMatch(const QStringList &titles, const QString &title)
{
    if (title.isEmpty())
        return -1;
    for (int i = 0; i < titles.size(); ++i)
        if (titles[i].compare(title, Qt::CaseInsensitive) == 0)
            return i;
    for (int i = 0; i < titles.size(); ++i)
        if (titles[i].startsWith(title, Qt::CaseInsensitive))
            return i;
    for (int i = 0; i < titles.size(); ++i)
        if (titles[i].endsWith(title, Qt::CaseInsensitive))
            return i;
    return -1;
}
