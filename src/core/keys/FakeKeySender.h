#pragma once

#include "KeySender.h"
#include "KeyStroke.h"

#include <QList>
#include <QStringList>

// Records what it would have typed, for tests of the callers.
class FakeKeySender : public KeySender {
public:
    bool sendKeys(const QString &keys, QString *error = nullptr) override;

    // Every key string handed in, malformed ones included.
    QStringList requests() const { return m_requests; }
    // The strokes "typed" so far, over all successful calls.
    QList<KeyStroke> strokes() const { return m_strokes; }
    // The strokes as a readable log: {"Hello", "<enter>", "<ctrl>c"}.
    QStringList log() const { return describeKeyStrokes(m_strokes); }

    // Makes every later call fail as a sender without a display would.
    void setUnavailable(const QString &reason) { m_unavailable = reason; }
    void clear();

private:
    QStringList m_requests;
    QList<KeyStroke> m_strokes;
    QString m_unavailable;
};
