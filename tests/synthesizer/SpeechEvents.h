#pragma once

#include "Synthesizer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QThread>

// Records the synthesizer's events as "start" and "end", and whether any came off the UI thread.
class SpeechEvents {
public:
    explicit SpeechEvents(Synthesizer &synthesizer)
    {
        QObject::connect(&synthesizer, &Synthesizer::speechstart, &synthesizer,
                         [this] { record(QStringLiteral("start")); });
        QObject::connect(&synthesizer, &Synthesizer::speechend, &synthesizer,
                         [this] { record(QStringLiteral("end")); });
    }

    QStringList events;
    bool offUiThread = false;

private:
    void record(const QString &event)
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            offUiThread = true;
        events << event;
    }
};

// Runs the event loop until done() holds or the (generous) time is up.
template <typename Done>
bool waitUntil(Done done, int timeoutMs = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

// Runs the event loop for a while, for checks that nothing more happens.
inline void runEventsFor(int ms)
{
    waitUntil([] { return false; }, ms);
}

inline const QString longText = QStringLiteral(
    "This sentence is long enough to keep the synthesizer busy for several seconds, so that "
    "there is plenty of time to stop it, pause it, or ask it for something else while it "
    "speaks, on a slow machine as well as on a fast one.");
