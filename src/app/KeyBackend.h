#pragma once

#include "KeySender.h"

#include <QString>

#include <memory>

// The way keys reach the window the user works in, chosen once at start from the session.
struct KeyBackend {
    std::unique_ptr<KeySender> sender;
    // Said on standard error at start: "keys: XTest", "keys: virtual keyboard".
    QString name;
    // When the sender cannot reach the desktop's own windows, what the user can do about it;
    // empty when every window can be reached.
    QString shortfall;
    // The portal sender when one is chosen; it says when the desktop does not allow keys.
    class PortalKeySender *portal = nullptr;

    // An X11 session gets XTest. A Wayland session gets the compositor's virtual keyboard
    // where it offers one, else the desktop's RemoteDesktop portal (GNOME, KDE Plasma), else
    // a uinput keyboard where /dev/uinput may be written, and XTest otherwise, which reaches
    // only XWayland windows.
    static KeyBackend choose();
};
