#include "KeyBackend.h"

#include "PortalKeySender.h"
#include "VirtualKeyboardKeySender.h"
#include "XTestKeySender.h"

#include <QDBusConnection>
#include <QStandardPaths>

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
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected() && PortalKeySender::isOffered(bus)) {
            auto portal = std::make_unique<PortalKeySender>(
                bus, QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/quillet/remote-desktop-token"));
            backend.portal = portal.get();
            backend.sender = std::move(portal);
            backend.name = QStringLiteral("RemoteDesktop portal");
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
