#include "KeyBackend.h"

#include "VirtualKeyboardKeySender.h"
#include "XTestKeySender.h"

KeyBackend KeyBackend::choose()
{
    KeyBackend backend;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        QString why;
        if (auto keyboard = VirtualKeyboardKeySender::connect(&why)) {
            backend.sender = std::move(keyboard);
            backend.name = QStringLiteral("virtual keyboard");
            return backend;
        }
        backend.shortfall =
            QStringLiteral("I can type only into windows that run through XWayland here: %1, "
                           "so the desktop's own windows do not get my keys. Log in to an X11 "
                           "session to have me type everywhere.")
                .arg(why);
    }
    backend.sender = std::make_unique<XTestKeySender>();
    backend.name = QStringLiteral("XTest");
    return backend;
}
