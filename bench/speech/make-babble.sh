#!/usr/bin/env bash
# Several people talking at once: each voice reads the text file's lines one after another,
# and the readings are mixed, each starting a little later than the one before.
#   make-babble.sh OUT.wav TEXTFILE VOICE...
set -euo pipefail
out=$1 texts=$2
shift 2
tmp=$(mktemp -d /tmp/quillet-babble.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
inputs=()
i=0
for voice in "$@"; do
    i=$((i + 1))
    # Each voice starts elsewhere in the text, so that no two say the same words together.
    { tail -n +$((i * 7)) "$texts"; head -n $((i * 7 - 1)) "$texts"; } | tr '\n' ' ' |
        sed 's/=/, /g' >"$tmp/$i.txt"
    espeak-ng -v "$voice" -s 170 -f "$tmp/$i.txt" -w "$tmp/$i.raw.wav"
    sox -R -q -V1 "$tmp/$i.raw.wav" -r 16000 -c 1 -b 16 "$tmp/$i.wav" pad "$((i - 1)).3" 0
    inputs+=(-v 1 "$tmp/$i.wav")
done
sox -R -q -V1 -m "${inputs[@]}" "$out" norm -6
