#include "KeyBackend.h"

#include "FallbackKeySender.h"
#include "PortalKeySender.h"
#include "UinputKeySender.h"
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
            const PortalKeySender *asked = portal.get();
            backend.sender = std::make_unique<FallbackKeySender>(
                std::move(portal), [asked] { return asked->isRefused(); },
                std::make_unique<XTestKeySender>());
            backend.name = QStringLiteral("RemoteDesktop portal");
            return backend;
        }
        QString uinputWhy;
        if (auto uinput = UinputKeySender::connect(QStringLiteral("/dev/uinput"), &uinputWhy)) {
            // Key codes come out as the desktop's layout reads them; the user should know
            // which layout they were worked out for.
            backend.name = QStringLiteral("uinput keyboard, placing keys as the \"%1\" layout does")
                               .arg(uinput->layoutName());
            backend.sender = std::move(uinput);
            return backend;
        }
        backend.shortfall =
            QStringLiteral("I can type only into windows that run through XWayland here: %1, "
                           "no desktop portal offers a keyboard, and %2. On GNOME or KDE "
                           "Plasma, install xdg-desktop-portal with your desktop's portal "
                           "(xdg-desktop-portal-gnome or xdg-desktop-portal-kde); elsewhere, "
                           "let your user write to /dev/uinput, or log in to an X11 session.")
                .arg(why, uinputWhy);
    }
    backend.sender = std::make_unique<XTestKeySender>();
    backend.name = QStringLiteral("XTest");
    return backend;
}
