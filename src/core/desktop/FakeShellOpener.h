#pragma once

#include "ShellOpener.h"

#include <QStringList>

// Records what it was asked to open.
class FakeShellOpener : public ShellOpener {
public:
    bool open(const QString &target) override
    {
        m_opened.append(target);
        return m_succeeds;
    }

    QStringList opened() const { return m_opened; }
    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }

private:
    QStringList m_opened;
    bool m_succeeds = true;
};
