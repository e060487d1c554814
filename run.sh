#!/usr/bin/env bash
# Installs what is missing, builds Quillet, installs it into ~/.local/share/quillet
# (keeping your command list and scripts) with an entry in the desktop's menus, and starts it.
#   ./run.sh [--autostart | --no-autostart] [arguments for Quillet...]
# --autostart also starts Quillet with every session from now on; --no-autostart stops that.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

autostart=
args=()
for arg in "$@"; do
    case "$arg" in
    --autostart) autostart=ON ;;
    --no-autostart) autostart=OFF ;;
    *) args+=("$arg") ;;
    esac
done

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Quillet needs an X11 desktop: no graphical session was found (DISPLAY is not set)." >&2
    exit 1
fi

quillet_install_packages
quillet_build

PREFIX=${QUILLET_PREFIX:-$HOME/.local/share/quillet}
say "Installing into $PREFIX"
cmake -DSOURCE_DIR="$QUILLET_ROOT" -DBUILD_APP="$BUILD_DIR/app" -DAPP_DIR="$PREFIX" -P "$QUILLET_ROOT/scripts/LayoutApp.cmake"
cmake -DAPP_DIR="$PREFIX" ${autostart:+-DAUTOSTART=$autostart} -P "$QUILLET_ROOT/scripts/DesktopEntry.cmake"
case "$autostart" in
ON) say "Quillet will start with every session (./run.sh --no-autostart stops that)" ;;
OFF) say "Quillet no longer starts with the session" ;;
esac

if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    # Typing keys and keeping windows on top need X11; Wayland sessions run us through XWayland.
    export QT_QPA_PLATFORM=xcb
    if [ -z "${DISPLAY:-}" ]; then
        echo "Quillet needs an X11 desktop: this Wayland session offers no XWayland (DISPLAY is not set)." >&2
        exit 1
    fi
fi

say "Starting Quillet"
exec "$PREFIX/quillet" "${args[@]}"
