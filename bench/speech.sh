#!/usr/bin/env bash
# Speech recognizer figures, one "name: value" line each:
#   accuracy_percent       commands said by three espeak-ng voices at three rates each
#   false_accept_percent   everyday sentences that are no command, same voices
#   quiet_accuracy_percent, quiet_false_accept_percent   the same, 20 dB quieter
#   noisy_accuracy_percent, noisy_false_accept_percent   the same voices at one rate, once under
#       pink noise and once under the babble of four other voices, each 10 dB below the speech
#   pink_10db_accuracy_percent, babble_10db_accuracy_percent, babble_15db_accuracy_percent
#       each noise on its own, that far below the speech
#   pink_10db_onset_accuracy_percent   pink noise 10 dB down that starts with the voice
#   babble_15db_false_accept_percent   the sentences over a babble bed 15 dB under them
#   level_swing_accuracy_percent, level_swing_false_accept_percent   every other utterance
#       20 dB quieter than the one before
#   latency_median_ms, latency_p95_ms   end of the spoken audio to the phrase event, real time
#   listen_cpu_percent     one core's share used while listening to quiet noise
#   rss_mb                 resident memory of a program with the recognizer loaded
# With --curve [T,T,..] each list also prints a "curve:" line per confidence limit, with the
# accuracy or false accepts had the recognizer used that limit.
# The rejection limits were chosen on other voices and other sentences (bench/speech-tuning.sh);
# the voices and sentences measured here played no part in choosing them.
set -euo pipefail
source "$(dirname "$0")/speech/prepare.sh"

voices=(en-us en en-us+f3)
rates=(140 170 200)
: >"$work/commands.list"
: >"$work/sentences.list"
for voice in "${voices[@]}"; do
    for rate in "${rates[@]}"; do
        "$here/speech/make-wavs.sh" "$work/wav" "$voice" "$rate" "$here/speech/commands.txt" expect \
            >>"$work/commands.list"
    done
    "$here/speech/make-wavs.sh" "$work/wav" "$voice" 170 "$here/speech/sentences.txt" reject \
        >>"$work/sentences.list"
done

"$bench" --grammar "$grammar" --list "$work/commands.list" "${curve[@]}" 2>"$work/commands.log"
"$bench" --grammar "$grammar" --list "$work/sentences.list" "${curve[@]}" 2>"$work/sentences.log"
# The same speech from a microphone turned 20 dB down.
mkdir -p "$work/quiet"
for list in commands sentences; do
    while IFS= read -r line; do
        wav=${line#*$'\t'}
        quiet="$work/quiet/$(basename "$wav")"
        sox -R -q "$wav" "$quiet" vol 0.1
        printf '%s\t%s\n' "${line%%$'\t'*}" "$quiet"
    done <"$work/$list.list" >"$work/quiet-$list.list"
    "$bench" --grammar "$grammar" --list "$work/quiet-$list.list" "${curve[@]}" 2>"$work/quiet-$list.log" |
        sed 's/^/quiet_/'
done
# A room's noise: pink, and other people talking, 10 dB below the speech, mixed into one list
# as before; then each condition on its own: pink 10 dB, babble 10 and 15 dB, pink 10 dB that
# starts with the voice (a fan switched on), and the sentences over a babble bed 15 dB under
# them (a television behind the speaker).
"$here/speech/make-babble.sh" "$work/babble.wav" "$here/speech/sentences.txt" \
    en-gb-x-rp+f2 en-us+m4 en+f4 en-us+m7
grep -- '-170-commands-' "$work/commands.list" >"$work/one-rate.list"
for list in one-rate sentences; do
    for noise in pink "$work/babble.wav"; do
        "$here/speech/room.sh" noise "$work/$list.list" "$work/noisy" "$noise" 11
    done >"$work/noisy-$list.list"
    "$bench" --grammar "$grammar" --list "$work/noisy-$list.list" "${curve[@]}" 2>"$work/noisy-$list.log" |
        sed 's/^/noisy_/'
done
for condition in one-rate:noise:pink:10 one-rate:noise:babble:10 one-rate:noise:babble:15 \
    one-rate:onset:pink:10 sentences:noise:babble:15; do
    IFS=: read -r list mode noise db <<<"$condition"
    source=pink
    [ "$noise" = babble ] && source=$work/babble.wav
    name=${noise}_${db}db${mode/noise/}
    name=${name/onset/_onset}
    "$here/speech/room.sh" "$mode" "$work/$list.list" "$work/$name" "$source" 11 "$db" \
        >"$work/$name-$list.list"
    "$bench" --grammar "$grammar" --list "$work/$name-$list.list" "${curve[@]}" \
        2>"$work/$name-$list.log" | sed "s/^/${name}_/"
done
# A speaker now near the microphone, now far from it.
for list in one-rate sentences; do
    "$here/speech/room.sh" swing "$work/$list.list" "$work/swing" >"$work/swing-$list.list"
    "$bench" --grammar "$grammar" --list "$work/swing-$list.list" "${curve[@]}" 2>"$work/swing-$list.log" |
        sed 's/^/level_swing_/'
done
# Latency in real time on one voice and rate: every fourth command, the first 30 of them. awk
# picks them itself: a reader that stops early (head) would leave it to die of SIGPIPE, which
# pipefail turns into the script's failure.
awk 'NR % 4 == 1 && ++n <= 30' "$work/commands.list" >"$work/latency.list"
"$bench" --grammar "$grammar" --list "$work/latency.list" --realtime 2>"$work/latency.log" |
    grep latency_
sox -q -n -r 16000 -c 1 -b 16 "$work/silence.wav" synth 10 pinknoise vol 0.01
"$bench" --grammar "$grammar" --silence "$work/silence.wav" --realtime 2>/dev/null
if [ -n "${SPEECH_BENCH_LOG:-}" ]; then
    cat "$work"/*.log >"$SPEECH_BENCH_LOG"
fi

if [ -x "$root/bench/tts.sh" ] || [ -f "$root/bench/tts.sh" ]; then
    bash "$root/bench/tts.sh"
fi
