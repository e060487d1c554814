#!/usr/bin/env bash
# How soon the character is on the desktop and how much memory the program then holds, with a
# sound server (PulseAudio with a null sink and a pipe microphone) and without one; medians of
# ${STARTUP_RUNS:-5} starts each:
#   startup_sound_character_ms     exec until the character's window is mapped with its shape
#   startup_sound_first_window_ms  exec until the first window of the program is mapped
#   startup_sound_rss_mb           resident memory ${STARTUP_RSS_SECONDS:-10} s after exec
#   startup_silent_...             the same without a sound server
#   bench/startup.sh         builds in ${BUILD_DIR:-build} first
# Each start gets a copy of the app folder, so the command list it saves is the built one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${STARTUP_RUNS:-5}
rss_seconds=${STARTUP_RSS_SECONDS:-10}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target quillet quillet_characters quillet_startup_probe >/dev/null

exec "$root/tests/support/with-desktop.sh" --sound -- bash -s "$build" "$runs" "$rss_seconds" <<'MEASURE'
set -euo pipefail
build=$1 runs=$2 rss_seconds=$3
export QT_QPA_PLATFORM=xcb
probe=$(find "$build/bench" -name quillet_startup_probe -type f -perm -u+x -print -quit)
work=$(mktemp -d /tmp/quillet-startup.XXXXXX)
trap 'rm -rf "$work"' EXIT
sound_server=$PULSE_SERVER

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One start; appends its three figures to $work/$1.{character,first,rss}.
measure() {
    local mode=$1 out
    rm -rf "$work/app"
    cp -r "$build/app" "$work/app"
    out=$(QUILLET_APP_DIR="$work/app" "$probe" "$rss_seconds" "$work/app/quillet" 2>/dev/null) || {
        echo "startup: the $mode start showed no character" >&2
        return 1
    }
    awk '/^character_ms:/ { print $2 }' <<<"$out" >>"$work/$mode.character"
    awk '/^first_window_ms:/ { print $2 }' <<<"$out" >>"$work/$mode.first"
    awk '/^rss_kb:/ { print $2 }' <<<"$out" >>"$work/$mode.rss"
}

# Starts take turns, so that a slow spell of the machine does not fall on one kind only.
for _ in $(seq "$runs"); do
    PULSE_SERVER=$sound_server measure sound
    PULSE_SERVER=unix:/nonexistent/pulse.sock measure silent
done

echo "startup_runs: $runs"
for mode in sound silent; do
    echo "startup_${mode}_character_ms: $(median <"$work/$mode.character")"
    echo "startup_${mode}_first_window_ms: $(median <"$work/$mode.first")"
    echo "startup_${mode}_rss_mb: $(median <"$work/$mode.rss" | awk '{ printf "%.1f", $1 / 1024 }')"
done
MEASURE
