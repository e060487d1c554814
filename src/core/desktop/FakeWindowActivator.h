#pragma once

#include "WindowActivator.h"

// A desktop of windows known only by their titles; remembers which one was activated.
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

    void setTitles(const QStringList &titles) { m_titles = titles; }
    QStringList requests() const { return m_requests; }
    // The title of the window activated last; empty when none was.
    QString active() const { return m_active; }

private:
    QStringList m_titles;
    QStringList m_requests;
    QString m_active;
};
