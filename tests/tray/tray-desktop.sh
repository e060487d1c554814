#!/usr/bin/env bash
# Runs the tray probe beside an XEmbed tray (run inside tests/support/with-desktop.sh).
#   tray-desktop.sh <probe> <screenshot.png>
set -euo pipefail
probe=$1 shot=$2

# A desktop colour, so that the screenshot shows the panel and the menu against something.
convert -size 64x64 xc:'#2f5d73' png:- | display -window root - >/dev/null 2>&1 || true
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 24 \
    --SetDockType true --tint 0x30343c --transparent true --alpha 0 \
    >"${QUILLET_DESKTOP_DIR:-/tmp}/trayer.log" 2>&1 &
tray=$!
trap 'kill "$tray" 2>/dev/null || true; wait "$tray" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    xdotool search --classname trayer >/dev/null 2>&1 && break
    sleep 0.05
done
xdotool search --classname trayer >/dev/null 2>&1 || { echo "FAIL: trayer did not start" >&2; exit 1; }

export QT_QPA_PLATFORM=xcb
# No session bus: the icon goes to the XEmbed tray even where a StatusNotifierItem host runs.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
"$probe" "$shot"
