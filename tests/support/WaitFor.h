#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

// Keeps the program handling its events until the condition holds; false when it did not
// within the time. Tests on real desktops and engines wait this way instead of sleeping.
inline bool waitFor(const std::function<bool()> &done, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
