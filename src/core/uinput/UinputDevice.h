#pragma once

#include "InputDevice.h"

#include <QElapsedTimer>

#include <memory>

// A keyboard made through /dev/uinput. It has every key of a full keyboard, so the desktop
// takes it for one.
class UinputDevice : public InputDevice {
public:
    ~UinputDevice() override;

    // The device made through the uinput file at path, or null (and the reason in *why).
    static std::unique_ptr<UinputDevice> create(const QString &path, QString *why = nullptr);

    bool write(const QByteArray &events, QString *error = nullptr) override;

private:
    explicit UinputDevice(int fd);

    int m_fd;
    // The desktop finds a new device some time after it appears; keys written before are lost.
    QElapsedTimer m_age;
};
