#include "ForeignToplevelWindowActivator.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <wayland-client.h>

namespace {

constexpr uint32_t kVersion = 3;

struct Toplevel {
    zwlr_foreign_toplevel_handle_v1 *handle = nullptr;
    QString title;
    bool closed = false;
};

// One look at the compositor's windows: connected, listed and let go within one call.
struct WindowList {
    wl_display *display = nullptr;
    wl_registry *registry = nullptr;
    wl_seat *seat = nullptr;
    zwlr_foreign_toplevel_manager_v1 *manager = nullptr;
    // Pointers stay where they are while the list grows: the handles' listeners hold them.
    QList<Toplevel *> toplevels;

    ~WindowList()
    {
        for (Toplevel *t : std::as_const(toplevels)) {
            zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
            delete t;
        }
        if (manager) {
            zwlr_foreign_toplevel_manager_v1_stop(manager);
            wl_proxy_destroy(reinterpret_cast<wl_proxy *>(manager));
        }
        if (seat)
            wl_seat_destroy(seat);
        if (registry)
            wl_registry_destroy(registry);
        if (display)
            wl_display_disconnect(display);
    }

    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface,
                       uint32_t version)
    {
        auto *list = static_cast<WindowList *>(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && !list->seat) {
            list->seat =
                static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        } else if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0 &&
                   !list->manager) {
            list->manager = static_cast<zwlr_foreign_toplevel_manager_v1 *>(
                wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
                                 std::min(version, kVersion)));
        }
    }
    static void globalRemove(void *, wl_registry *, uint32_t) {}

    static void title(void *data, zwlr_foreign_toplevel_handle_v1 *, const char *title)
    {
        static_cast<Toplevel *>(data)->title = QString::fromUtf8(title);
    }
    static void appId(void *, zwlr_foreign_toplevel_handle_v1 *, const char *) {}
    static void output(void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) {}
    static void state(void *, zwlr_foreign_toplevel_handle_v1 *, wl_array *) {}
    static void done(void *, zwlr_foreign_toplevel_handle_v1 *) {}
    static void closed(void *data, zwlr_foreign_toplevel_handle_v1 *)
    {
        static_cast<Toplevel *>(data)->closed = true;
    }
    static void parent(void *, zwlr_foreign_toplevel_handle_v1 *, zwlr_foreign_toplevel_handle_v1 *)
    {}

    static void toplevel(void *data, zwlr_foreign_toplevel_manager_v1 *,
                         zwlr_foreign_toplevel_handle_v1 *handle)
    {
        static const zwlr_foreign_toplevel_handle_v1_listener listener = {
            &title, &appId, &output, &output, &state, &done, &closed, &parent};
        auto *t = new Toplevel;
        t->handle = handle;
        static_cast<WindowList *>(data)->toplevels << t;
        zwlr_foreign_toplevel_handle_v1_add_listener(handle, &listener, t);
    }
    static void finished(void *, zwlr_foreign_toplevel_manager_v1 *) {}

    // False when there is no compositor or it has no window list.
    bool read()
    {
        display = wl_display_connect(nullptr);
        if (!display)
            return false;
        static const wl_registry_listener registryListener = {&global, &globalRemove};
        registry = wl_display_get_registry(display);
        wl_registry_add_listener(registry, &registryListener, this);
        if (wl_display_roundtrip(display) < 0 || !manager)
            return false;
        static const zwlr_foreign_toplevel_manager_v1_listener managerListener = {&toplevel,
                                                                                  &finished};
        zwlr_foreign_toplevel_manager_v1_add_listener(manager, &managerListener, this);
        // The windows come with the first answer, each window's title right after it.
        return wl_display_roundtrip(display) >= 0 && wl_display_roundtrip(display) >= 0;
    }
};

} // namespace

bool ForeignToplevelWindowActivator::activate(const QString &title)
{
    WindowList list;
    if (!list.read() || !list.seat)
        return false;
    QStringList titles;
    QList<Toplevel *> open;
    for (Toplevel *t : std::as_const(list.toplevels)) {
        if (!t->closed) {
            titles << t->title;
            open << t;
        }
    }
    const int match = bestMatch(titles, title);
    if (match < 0)
        return false;
    zwlr_foreign_toplevel_handle_v1_activate(open[match]->handle, list.seat);
    return wl_display_roundtrip(list.display) >= 0;
}

bool ForeignToplevelWindowActivator::activateProcess(qint64)
{
    return false;
}
