#!/usr/bin/env bash
# CPU use of the idle character on a desktop without a sound server (so nothing can listen):
# prints "idle_cpu_percent: N", the share of one core the process used over the run.
#   bench/idle.sh            builds in ${BUILD_DIR:-build} first
#   IDLE_SECONDS=60 bench/idle.sh
# Measures app/quillet when it puts the character on the desktop, the idle harness otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
seconds=${IDLE_SECONDS:-30}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target quillet quillet_idle_harness quillet_characters >/dev/null

exec "$root/tests/support/with-desktop.sh" -- bash -s "$build" "$seconds" <<'MEASURE'
set -euo pipefail
build=$1 seconds=$2
unset PULSE_SERVER
export PULSE_SERVER=unix:/nonexistent/pulse.sock QT_QPA_PLATFORM=xcb
hz=$(getconf CLK_TCK)

cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }

# The program shows the character when one of its windows has a cut-out shape.
shows_character() {
    local pid=$1 w info
    for _ in $(seq 50); do
        for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            info=$(xwininfo -shape -id "$w" 2>/dev/null) || continue
            if grep -q 'Window shape extents' <<<"$info" && ! grep -q '"Bubble"' <<<"$info"; then
                return 0
            fi
        done
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}

what=app/quillet
(cd "$build/app" && exec ./quillet) >/dev/null 2>&1 &
pid=$!
if ! shows_character "$pid"; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    what=quillet_idle_harness
    harness=$(find "$build/bench" -name quillet_idle_harness -type f -perm -u+x -print -quit)
    "$harness" "$build/app/Character/Pebble.qlc" >/dev/null 2>&1 &
    pid=$!
    shows_character "$pid" || { echo "idle: the harness shows no character" >&2; exit 1; }
fi
sleep 2 # let start-up settle
start=$(cpu_ticks "$pid")
sleep "$seconds"
end=$(cpu_ticks "$pid")
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "idle_measured: $what"
echo "idle_seconds: $seconds"
awk -v t=$((end - start)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle_cpu_percent: %.2f\n", 100 * t / hz / s }'
MEASURE
