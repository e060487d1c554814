#!/usr/bin/env bash
# The command editor's Add with lists of 50, 1000, 5000 and 20,000 commands, and the start with
# the longest one; prints
#   start_ms_20000                        making the program until the character is shown
#   start_rss_mb_20000                    resident memory once the recognizer has the grammar
# and medians of ten adds:
#   add_ms_50 ... add_ms_20000            the click on Add until it returns
#   reload_ready_ms_1000                  the click until the recognizer listens with the new
#                                         grammar (1000 commands)
#   bench/edit.sh        builds in ${BUILD_DIR:-build} first
# Runs on the offscreen platform; the recognizer hears a quiet microphone of the benchmark's own.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target quillet_edit_bench quillet_characters >/dev/null
# No sound server: nothing is said, and none is started on the benchmark's behalf.
export QT_QPA_PLATFORM=offscreen PULSE_SERVER=unix:/nonexistent/pulse.sock
# The offscreen platform's complaints about window masks would bury the figures; they are
# shown only when the benchmark fails.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! "$build/bench/edit/quillet_edit_bench" "$@" 2>"$log"; then
    cat "$log" >&2
    exit 1
fi
