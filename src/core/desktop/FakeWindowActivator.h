#pragma once

#include "WindowActivator.h"

// A desktop of windows known only by their titles and processes; remembers which one was
// activated and every request, a process's as "process ID".
class FakeWindowActivator : public WindowActivator {
public:
    bool activate(const QString &title) override
    {
        m_requests.append(title);
        const int i = bestMatch(m_titles, title);
        if (i < 0)
            return false;
        m_active = m_titles[i];
        return true;
    }

    bool activateProcess(qint64 processId) override
    {
        m_requests.append(QStringLiteral("process %1").arg(processId));
        const int i = m_processIds.indexOf(processId);
        if (i < 0 || i >= m_titles.size())
            return false;
        m_active = m_titles[i];
        return true;
    }

    void setTitles(const QStringList &titles) { m_titles = titles; }
    // The process of each window, in the order of the titles.
    void setProcessIds(const QList<qint64> &ids) { m_processIds = ids; }
    QStringList requests() const { return m_requests; }
    // The title of the window activated last; empty when none was.
    QString active() const { return m_active; }

private:
    QStringList m_titles;
    QList<qint64> m_processIds;
    QStringList m_requests;
    QString m_active;
};
