#!/usr/bin/env bash
# Puts recorded utterances into a room's conditions, one list line in, one out:
#   room.sh noise LIST OUTDIR pink|BABBLE.wav SEED [DB]   the utterance under noise DB (10)
#       below its speech (the RMS of the voiced part), the noise over the whole utterance with
#       its pads
#   room.sh onset LIST OUTDIR pink|BABBLE.wav SEED [DB]   the same, but the noise starts with
#       the voice, as a fan switched on or a car passing as the speaker begins
#   room.sh swing LIST OUTDIR                        every other utterance 20 dB quieter, as a
#       speaker near and then far from the microphone, or a microphone's gain changed
# List lines are "<expected phrase>\t<wav>"; the new list goes to stdout.
set -euo pipefail
mode=$1 list=$2 out=$3
mkdir -p "$out"
rms() {
    local file=$1
    shift
    sox "$file" -n "$@" stat 2>&1 | awk '/^RMS +amplitude/ {print $3}'
}
n=0
while IFS= read -r line; do
    expected=${line%%$'\t'*}
    wav=${line#*$'\t'}
    n=$((n + 1))
    name="$out/$(basename "$wav" .wav)"
    case $mode in
    noise | onset)
        kind=$4 seed=$5 db=${6:-10}
        speech=$(rms "$wav" silence 1 0.02 1% reverse silence 1 0.02 1% reverse)
        length=$(soxi -D "$wav")
        if [ "$kind" = pink ]; then
            # sox -R starts its noise the same way each time: start at an offset of the
            # utterance's own, so that no two utterances get the same noise.
            offset=$(((n * 7919 + seed) % 600)).$((n % 10))
            sox -R -q -n -r 16000 -c 1 -b 16 "$name.noise.wav" \
                synth "$(awk -v a="$length" -v b="$offset" 'BEGIN {print a + b}')" pinknoise \
                trim "$offset"
        else
            total=$(soxi -D "$kind")
            offset=$(awk -v n="$n" -v s="$seed" -v t="$total" -v l="$length" \
                'BEGIN {x = (n * 13.37 + s) % (t - l - 1); printf "%.2f", x}')
            sox -q "$kind" "$name.noise.wav" trim "$offset" "$length"
        fi
        noise=$(rms "$name.noise.wav")
        gain=$(awk -v s="$speech" -v n="$noise" -v d="$db" 'BEGIN {printf "%.5f", s / n / 10 ^ (d / 20)}')
        if [ "$mode" = onset ]; then
            voiced=$(sox "$wav" -n silence 1 0.02 1% stat 2>&1 | awk '/^Length/ {print $3}')
            onset=$(awk -v l="$length" -v v="$voiced" 'BEGIN {printf "%.3f", l - v}')
            sox -R -q "$name.noise.wav" "$name.late.wav" trim 0 "$(awk -v l="$length" -v o="$onset" 'BEGIN {print l - o}')" pad "$onset" 0
            mv "$name.late.wav" "$name.noise.wav"
        fi
        mixed="$name.$(basename "$kind" .wav).$mode$db.wav"
        sox -R -q -V1 -m -v 1 "$wav" -v "$gain" "$name.noise.wav" "$mixed"
        rm -f "$name.noise.wav"
        printf '%s\t%s\n' "$expected" "$mixed"
        ;;
    swing)
        if [ $((n % 2)) -eq 0 ]; then
            sox -R -q "$wav" "$name.far.wav" vol 0.1
            printf '%s\t%s\n' "$expected" "$name.far.wav"
        else
            printf '%s\n' "$line"
        fi
        ;;
    esac
done <"$list"
