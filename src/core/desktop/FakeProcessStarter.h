#pragma once

#include "ProcessStarter.h"

#include <QList>

// Records the command lines it was asked to start, and whether each was waited for.
class FakeProcessStarter : public ProcessStarter {
public:
    struct Start {
        QString commandLine;
        WindowState state;
        bool waited = false;
        friend bool operator==(const Start &, const Start &) = default;
    };

    bool start(const QString &commandLine, WindowState state) override
    {
        m_starts.append({commandLine, state, false});
        return m_succeeds;
    }
    std::optional<int> startAndWait(const QString &commandLine, WindowState state) override
    {
        m_starts.append({commandLine, state, true});
        return m_succeeds ? std::optional<int>(m_exitCode) : std::nullopt;
    }

    QList<Start> starts() const { return m_starts; }
    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    // What every waited-for program ends with.
    void setExitCode(int code) { m_exitCode = code; }

private:
    QList<Start> m_starts;
    bool m_succeeds = true;
    int m_exitCode = 0;
};
