#pragma once

#include "WindowActivator.h"

#include <QString>

// Activates windows on the wlroots desktops (sway, Hyprland, labwc, wayfire) through their
// list of open windows, the one taskbars use, which holds native and XWayland windows alike.
// Each call reads the list afresh, so it needs no events between calls.
class ForeignToplevelWindowActivator : public WindowActivator {
public:
    // False also where $WAYLAND_DISPLAY's compositor has no such list.
    bool activate(const QString &title) override;
    // The list does not say which process a window belongs to: never found.
    bool activateProcess(qint64 processId) override;
};
