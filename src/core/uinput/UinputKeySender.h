#pragma once

#include "InputDevice.h"
#include "KeySender.h"
#include "LayoutKeys.h"

#include <memory>

// Types keys through a keyboard of the kernel's, on any desktop, for the programs that may
// write to /dev/uinput. The device sends key positions, not characters: each character is
// typed with the key that has it on the user's layout, and a character the layout lacks
// cannot be typed.
class UinputKeySender : public KeySender {
public:
    UinputKeySender(std::unique_ptr<InputDevice> device, LayoutKeys layout);

    // A sender on a new device at path with the user's layout, or null (and the reason in
    // *why).
    static std::unique_ptr<UinputKeySender>
    connect(const QString &path = QStringLiteral("/dev/uinput"), QString *why = nullptr);

    bool sendKeys(const QString &keys, QString *error = nullptr) override;

    QString layoutName() const { return m_layout.name(); }

private:
    std::unique_ptr<InputDevice> m_device;
    LayoutKeys m_layout;
};
