#pragma once

#include "WindowActivator.h"

// Finds windows through the window manager's list of clients (_NET_CLIENT_LIST) by their
// _NET_WM_NAME or WM_NAME, and asks the window manager to activate one with a
// _NET_ACTIVE_WINDOW message, sent as a pager would so that focus-stealing rules let it
// through. A desktop without such a window manager has no window to activate.
class X11WindowActivator : public WindowActivator {
public:
    bool activate(const QString &title) override;
    // By the _NET_WM_PID the window's program set, as toolkits like Qt and GTK do.
    bool activateProcess(qint64 processId) override;
};
