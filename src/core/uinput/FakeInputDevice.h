#pragma once

#include "InputDevice.h"

#include <QList>

// Records what would have been written to the kernel, for tests of the sender.
class FakeInputDevice : public InputDevice {
public:
    bool write(const QByteArray &events, QString *error = nullptr) override
    {
        if (!m_failure.isEmpty()) {
            if (error)
                *error = m_failure;
            return false;
        }
        m_written += events;
        return true;
    }

    QByteArray written() const { return m_written; }
    void setFailure(const QString &reason) { m_failure = reason; }

private:
    QByteArray m_written;
    QString m_failure;
};
