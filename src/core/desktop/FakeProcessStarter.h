#pragma once

#include "ProcessStarter.h"

#include <QList>

// Records the command lines it was asked to start.
class FakeProcessStarter : public ProcessStarter {
public:
    struct Start {
        QString commandLine;
        WindowState state;
        friend bool operator==(const Start &, const Start &) = default;
    };

    bool start(const QString &commandLine, WindowState state) override
    {
        m_starts.append({commandLine, state});
        return m_succeeds;
    }

    QList<Start> starts() const { return m_starts; }
    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }

private:
    QList<Start> m_starts;
    bool m_succeeds = true;
};
