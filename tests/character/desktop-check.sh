#!/usr/bin/env bash
# Runs the desktop probe on a coloured desktop (run inside tests/support/with-desktop.sh).
#   desktop-check.sh <probe> <character.qlc> <screenshot.png>
set -euo pipefail
probe=$1 character=$2 shot=$3
colour='#2f5d73'
export QT_QPA_PLATFORM=xcb
exec "$probe" "$character" "$shot" "$colour"
