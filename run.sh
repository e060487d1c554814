#!/usr/bin/env bash
# Installs what is missing, builds Quillet, installs it into ~/.local/share/quillet
# (keeping your command list and scripts) with an entry in the desktop's menus, and starts it.
#   ./run.sh [--autostart | --no-autostart] [arguments for Quillet...]
#   ./run.sh --package
# --autostart also starts Quillet with every session from now on; --no-autostart stops that.
# --package builds the Debian package build/quillet_<version>_amd64.deb instead, and starts
# nothing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

autostart=
package=
args=()
for arg in "$@"; do
    case "$arg" in
    --package) package=1 ;;
    --autostart) autostart=ON ;;
    --no-autostart) autostart=OFF ;;
    *) args+=("$arg") ;;
    esac
done

if [ -n "$package" ]; then
    quillet_install_packages
    quillet_build
    say "Building the Debian package"
    deb=$(cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$BUILD_DIR" |
        sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
    [ -f "$deb" ] || { echo "CPack made no package" >&2; exit 1; }
    say "Built $deb"
    echo "Install it with:  sudo apt install $deb"
    exit 0
fi

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
