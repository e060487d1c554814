#!/usr/bin/env bash
# Installs what is missing, builds Quillet, installs it into ~/.local/share/quillet
# (keeping your command list and scripts) and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Quillet needs an X11 desktop: no graphical session was found (DISPLAY is not set)." >&2
    exit 1
fi

quillet_install_packages
quillet_build

PREFIX=${QUILLET_PREFIX:-$HOME/.local/share/quillet}
say "Installing into $PREFIX"
cmake -DSOURCE_DIR="$QUILLET_ROOT" -DBUILD_APP="$BUILD_DIR/app" -DAPP_DIR="$PREFIX" -P "$QUILLET_ROOT/scripts/LayoutApp.cmake"

if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    # Typing keys and keeping windows on top need X11; Wayland sessions run us through XWayland.
    export QT_QPA_PLATFORM=xcb
    if [ -z "${DISPLAY:-}" ]; then
        echo "Quillet needs an X11 desktop: this Wayland session offers no XWayland (DISPLAY is not set)." >&2
        exit 1
    fi
fi

say "Starting Quillet"
exec "$PREFIX/quillet" "$@"
