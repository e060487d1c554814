#!/usr/bin/env bash
# Speech output latency through a PulseAudio server of its own with a null sink:
#   tts_first_audio_ms  speaktext to the first sample handed to the sound server (median)
#   tts_start_event_ms  speaktext to speechstart on the UI thread (median)
#   tts_stop_ms         stopspeech to the server dropping the audio (median)
# Usage: bench/tts.sh [runs]   (builds in ${BUILD_DIR:-build})
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=${BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target tts_bench >/dev/null
exec tests/support/with-desktop.sh --sound -- "$build/bench/tts/tts_bench" "$@"
