#pragma once

#include <QByteArray>
#include <QString>

// A keyboard the kernel believes in: what is written to it reaches the desktop as if typed on
// a real one.
class InputDevice {
public:
    virtual ~InputDevice() = default;

    // Hands on a run of the kernel's input events (struct input_event, key presses and
    // releases each followed by a report). False, with the reason in *error, when the device
    // takes them not all.
    virtual bool write(const QByteArray &events, QString *error = nullptr) = 0;
};
