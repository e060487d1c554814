#!/usr/bin/env bash
# The recognizer's rejection limits were chosen on this set, never on the voices and sentences
# bench/speech.sh measures: five other espeak-ng voices at two rates saying the commands, and
# the same voices saying bench/speech/tuning-sentences.txt, each once with a room's noise and
# once nearly clean; then those of the noisy set at one rate under pink noise and under babble
# 10 dB below the speech, and with every other utterance 20 dB quieter. Prints the figures, and with TUNING_LOG=FILE keeps every
# utterance's scores (QUILLET_RECO_DEBUG lines) for choosing new limits. --curve [T,T,..] as
# for bench/speech.sh.
set -euo pipefail
source "$(dirname "$0")/speech/prepare.sh"

voices=(en-gb-scotland en-029 en-us-nyc+f2 en-gb-x-gbclan+m3 en-gb-x-gbcwmd+f4)
for condition in noisy:0.01 clean:0.0003; do
    name=${condition%%:*}
    export NOISE_VOL=${condition#*:}
    : >"$work/$name.list"
    for voice in "${voices[@]}"; do
        for rate in 150 185; do
            "$here/speech/make-wavs.sh" "$work/$name" "$voice" "$rate" "$here/speech/commands.txt" \
                expect >>"$work/$name.list"
        done
        "$here/speech/make-wavs.sh" "$work/$name" "$voice" 170 "$here/speech/tuning-sentences.txt" \
            reject >>"$work/$name.list"
    done
    echo "$name:"
    QUILLET_RECO_DEBUG=1 "$bench" --grammar "$grammar" --list "$work/$name.list" "${curve[@]}" --verbose \
        2>"$work/$name.log" | sed 's/^/  /'
done
# The room's conditions, with babble of voices and text bench/speech.sh does not use.
"$here/speech/make-babble.sh" "$work/babble.wav" "$here/speech/tuning-sentences.txt" \
    en-gb-scotland+m5 en-029+f1 en-us-nyc+m6 en-gb-x-gbclan+f3
grep -v -- '-185-commands-' "$work/noisy.list" >"$work/one-rate.list"
for noise in pink "$work/babble.wav"; do
    "$here/speech/room.sh" noise "$work/one-rate.list" "$work/room" "$noise" 5
done >"$work/room-noise.list"
"$here/speech/room.sh" swing "$work/one-rate.list" "$work/swing" >"$work/room-swing.list"
for name in room-noise room-swing; do
    echo "$name:"
    QUILLET_RECO_DEBUG=1 "$bench" --grammar "$grammar" --list "$work/$name.list" "${curve[@]}" --verbose \
        2>"$work/$name.log" | sed 's/^/  /'
done
if [ -n "${TUNING_LOG:-}" ]; then
    cat "$work"/*.log >"$TUNING_LOG"
fi
