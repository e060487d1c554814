#pragma once

#include "KeySender.h"

#include <QString>

#include <memory>

// Types keys on a Wayland desktop of the wlroots family (sway, Hyprland, labwc, wayfire,
// river) through a virtual keyboard of the compositor's: the keys reach whatever window has
// the focus, native or XWayland. Each string goes out with a keyboard map of its own, so any
// character types whatever layout the user has.
class VirtualKeyboardKeySender : public KeySender {
public:
    ~VirtualKeyboardKeySender() override;

    // A sender on $WAYLAND_DISPLAY's compositor, or null (and the reason in *why) when there is
    // no compositor or it offers no virtual keyboards.
    static std::unique_ptr<VirtualKeyboardKeySender> connect(QString *why = nullptr);

    bool sendKeys(const QString &keys, QString *error = nullptr) override;

private:
    VirtualKeyboardKeySender();

    struct Private;
    std::unique_ptr<Private> d;
};
