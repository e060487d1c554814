#!/usr/bin/env bash
# Screenshots of the command editor's pages on a desktop of its own (Xvfb, openbox, picom):
#   assets/screenshots/editor.sh [output folder]    (default: assets/screenshots/editor)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
out=$(realpath -m "${1:-$root/assets/screenshots/editor}")
cmake --build "$build" -j2 --target quillet_editor_screens quillet_appfolder >/dev/null
exec "$root/tests/support/with-desktop.sh" --compositor --size 400x380 -- \
    env QT_QPA_PLATFORM=xcb "$build/tests/editor/quillet_editor_screens" "$out"
