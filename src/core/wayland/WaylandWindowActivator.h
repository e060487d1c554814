#pragma once

#include "WindowActivator.h"

#include <memory>

// AppActivate on a Wayland session: by title through the compositor's window list where it
// offers one (the wlroots desktops), and otherwise, and for processes, through XWayland's
// window manager, which on GNOME and KDE Plasma lists the XWayland windows. A native window
// of a desktop without the list cannot be activated: no window matches.
class WaylandWindowActivator : public WindowActivator {
public:
    WaylandWindowActivator(std::unique_ptr<WindowActivator> compositorList,
                           std::unique_ptr<WindowActivator> xwayland);

    // The activator for this session. The compositor is asked for its list only when a
    // window is wanted, not at start.
    static std::unique_ptr<WaylandWindowActivator> forSession();

    bool activate(const QString &title) override;
    bool activateProcess(qint64 processId) override;

private:
    std::unique_ptr<WindowActivator> m_compositorList;
    std::unique_ptr<WindowActivator> m_xwayland;
};
