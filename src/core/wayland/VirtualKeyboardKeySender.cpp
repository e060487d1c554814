#include "VirtualKeyboardKeySender.h"

#include "KeySyms.h"
#include "StringKeymap.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <QElapsedTimer>
#include <QSet>
#include <QThread>

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace {

constexpr uint32_t kKeymapFormatXkbV1 = 1;
constexpr uint32_t kPressed = 1;
constexpr uint32_t kReleased = 0;

// The map goes to the compositor as a file it can map; a memory file needs no folder.
int keymapFile(const QByteArray &text)
{
    const int fd = memfd_create("quillet-keymap", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    qsizetype written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.constData() + written, size_t(text.size() - written));
        if (n <= 0) {
            ::close(fd);
            return -1;
        }
        written += n;
    }
    return fd;
}

} // namespace

struct VirtualKeyboardKeySender::Private {
    wl_display *display = nullptr;
    wl_registry *registry = nullptr;
    wl_seat *seat = nullptr;
    zwp_virtual_keyboard_manager_v1 *manager = nullptr;
    zwp_virtual_keyboard_v1 *keyboard = nullptr;
    QElapsedTimer clock;

    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface,
                       uint32_t version)
    {
        auto *d = static_cast<Private *>(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && !d->seat) {
            d->seat =
                static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
            d->manager = static_cast<zwp_virtual_keyboard_manager_v1 *>(
                wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
        }
        (void)version;
    }
    static void globalRemove(void *, wl_registry *, uint32_t) {}

    ~Private()
    {
        if (keyboard)
            zwp_virtual_keyboard_v1_destroy(keyboard);
        if (manager)
            wl_proxy_destroy(reinterpret_cast<wl_proxy *>(manager));
        if (seat)
            wl_seat_destroy(seat);
        if (registry)
            wl_registry_destroy(registry);
        if (display)
            wl_display_disconnect(display);
    }

    uint32_t now() const { return uint32_t(clock.elapsed()); }

    bool lost(QString *error) const
    {
        if (wl_display_get_error(display) == 0)
            return false;
        if (error)
            *error = QStringLiteral("Cannot type keys: the Wayland compositor refused the "
                                    "virtual keyboard");
        return true;
    }

    // The symbols of the map in use. It only grows while there is room, so that a command
    // said again types with the same map: X clients (XWayland's) read a changed map only some
    // time after the change, and would read keys typed at once with the old one.
    QList<uint32_t> mapped;
    int keymapPauseMs = 150;

    bool upload(const QList<uint32_t> &syms, QString *error)
    {
        QList<uint32_t> wanted = mapped;
        for (uint32_t sym : syms) {
            if (!wanted.contains(sym))
                wanted << sym;
        }
        if (wanted.size() > StringKeymap::MaxKeysyms)
            wanted = syms;
        if (wanted == mapped)
            return true;
        const QByteArray text = StringKeymap(wanted).text();
        const int fd = keymapFile(text);
        if (fd < 0) {
            if (error)
                *error = QStringLiteral("Cannot type keys: no memory for the keyboard map");
            return false;
        }
        zwp_virtual_keyboard_v1_keymap(keyboard, kKeymapFormatXkbV1, fd, uint32_t(text.size()));
        ::close(fd);
        mapped = wanted;
        if (wl_display_roundtrip(display) < 0 || lost(error))
            return false;
        QThread::msleep(keymapPauseMs);
        return true;
    }

    // The events of one part of the string, whose keysyms all fit in one map.
    bool sendPart(const QList<KeySyms::Event> &events, QString *error)
    {
        QList<uint32_t> syms;
        for (const KeySyms::Event &e : events) {
            if (!syms.contains(e.keysym))
                syms << e.keysym;
        }
        if (!upload(syms, error))
            return false;
        const StringKeymap map(mapped);
        uint32_t mods = 0;
        for (const KeySyms::Event &e : events) {
            zwp_virtual_keyboard_v1_key(keyboard, now(), uint32_t(map.keycode(e.keysym) - 8),
                                        e.press ? kPressed : kReleased);
            if (const uint32_t mask = StringKeymap::modifierMask(e.keysym)) {
                mods = e.press ? (mods | mask) : (mods & ~mask);
                zwp_virtual_keyboard_v1_modifiers(keyboard, mods, 0, 0, 0);
            }
        }
        // Every request reaches the compositor before the call returns, so that keys typed
        // next (by another sender, or after a window change) come after these.
        return wl_display_roundtrip(display) >= 0 && !lost(error);
    }
};

VirtualKeyboardKeySender::VirtualKeyboardKeySender()
    : d(std::make_unique<Private>())
{
    d->clock.start();
}

VirtualKeyboardKeySender::~VirtualKeyboardKeySender() = default;

std::unique_ptr<VirtualKeyboardKeySender> VirtualKeyboardKeySender::connect(QString *why)
{
    std::unique_ptr<VirtualKeyboardKeySender> sender(new VirtualKeyboardKeySender);
    Private &d = *sender->d;
    d.display = wl_display_connect(nullptr);
    if (!d.display) {
        if (why)
            *why = QStringLiteral("no Wayland compositor answers on $WAYLAND_DISPLAY");
        return nullptr;
    }
    static const wl_registry_listener listener = {&Private::global, &Private::globalRemove};
    d.registry = wl_display_get_registry(d.display);
    wl_registry_add_listener(d.registry, &listener, &d);
    if (wl_display_roundtrip(d.display) < 0 || !d.seat || !d.manager) {
        if (why)
            *why = QStringLiteral("the compositor offers no virtual keyboard");
        return nullptr;
    }
    d.keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(d.manager, d.seat);
    // A compositor that allows virtual keyboards only to some clients says so at once.
    if (wl_display_roundtrip(d.display) < 0 || wl_display_get_error(d.display) != 0) {
        if (why)
            *why = QStringLiteral("the compositor refused a virtual keyboard");
        return nullptr;
    }
    return sender;
}

bool VirtualKeyboardKeySender::sendKeys(const QString &keys, QString *error)
{
    const auto parsed = KeySyms::parse(keys, error);
    if (!parsed)
        return false;
    if (d->lost(error))
        return false;
    const QList<KeySyms::Event> &events = *parsed;
    // A string of more different symbols than one map holds goes out in parts, each part
    // with its own map; a stroke is never split between two.
    QList<KeySyms::Event> part;
    QSet<uint32_t> partSyms;
    for (qsizetype i = 0; i < events.size();) {
        // Events of one stroke run until every key that went down is up again.
        qsizetype end = i;
        int down = 0;
        QSet<uint32_t> strokeSyms;
        do {
            down += events[end].press ? 1 : -1;
            strokeSyms.insert(events[end].keysym);
            ++end;
        } while (end < events.size() && down > 0);
        if ((partSyms + strokeSyms).size() > StringKeymap::MaxKeysyms) {
            if (!d->sendPart(part, error))
                return false;
            part.clear();
            partSyms.clear();
        }
        part += events.mid(i, end - i);
        partSyms += strokeSyms;
        i = end;
    }
    return part.isEmpty() || d->sendPart(part, error);
}
