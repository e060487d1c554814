#!/usr/bin/env bash
# Says every line of a text file with one espeak-ng voice at one rate, as 16 kHz mono WAVs
# padded with silence and mixed with quiet noise, the way a desk microphone would hear it.
#   make-wavs.sh OUTDIR VOICE RATE TEXTFILE expect|reject
# Prints one "<expected phrase>\t<wav>" line per WAV (the phrase empty for reject).
set -euo pipefail
out=$1 voice=$2 rate=$3 texts=$4 mode=$5
mkdir -p "$out"
tag=$(printf '%s-%s' "$voice" "$rate" | tr -c 'A-Za-z0-9-' '_')
n=0
while IFS= read -r text || [ -n "$text" ]; do
    [ -z "$text" ] && continue
    n=$((n + 1))
    base="$out/$tag-$(basename "$texts" .txt)-$n"
    # People say the words of a phrase, not its punctuation.
    espeak-ng -v "$voice" -s "$rate" -w "$base.raw.wav" "${text//=/, }"
    sox -R -q -V1 "$base.raw.wav" -r 16000 -c 1 -b 16 "$base.pad.wav" pad 0.4 0.9
    length=$(soxi -D "$base.pad.wav")
    sox -R -q -n -r 16000 -c 1 -b 16 "$base.noise.wav" synth "$length" pinknoise vol "${NOISE_VOL:-0.01}"
    sox -R -q -V1 -m "$base.pad.wav" "$base.noise.wav" "$base.wav"
    rm -f "$base.raw.wav" "$base.pad.wav" "$base.noise.wav"
    if [ "$mode" = expect ]; then
        printf '%s\t%s\n' "$text" "$base.wav"
    else
        printf '\t%s\n' "$base.wav"
    fi
done <"$texts"
