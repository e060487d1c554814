# Sourced by bench/talk.sh and bench/talk-tuning.sh after they set: stream_name, seed, minutes,
# voices, rates, texts (fortune files). Makes the stream once per build folder (it is kept in
# $build/bench/talk/<stream_name>) and plays it through the recognizer. With TALK_LOG=FILE
# every utterance, everything fired and every command missed is kept there.
set -euo pipefail
# --curve [T,T,..]: the listening pass also prints false actions and command accuracy with each
# confidence limit; --threshold T: another limit than the recognizer's own.
extra=()
while [ $# -gt 0 ]; do
    case $1 in
    --curve)
        if [ $# -gt 1 ] && [[ $2 =~ ^-?[0-9] ]]; then
            extra+=(--curve "$2")
            shift
        else
            extra+=(--curve -25,-20,-17.5,-15,-12.5,-10,-5)
        fi
        ;;
    --threshold)
        extra+=(--threshold "$2")
        shift
        ;;
    *)
        echo "unknown option $1" >&2
        exit 1
        ;;
    esac
    shift
done

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${BUILD_DIR:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target quillet_talk_bench >/dev/null
bench="$build/bench/talk/quillet_talk_bench"
fortunes=/usr/share/games/fortunes
for text in $texts; do
    if [ ! -f "$fortunes/$text" ]; then
        echo "the talk is read from the fortunes packages: apt-get install fortune-mod fortunes" >&2
        exit 1
    fi
done

work=$(mktemp -d /tmp/quillet-talk-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
# The shipped command list with the shipped character, then the speech benchmark's commands;
# the grammar keeps the first of the same words, as the program does.
character=$(sed -n 's/^set(character \(.*\))$/\1/p' "$root/scripts/LayoutApp.cmake")
{
    awk 'NR % 3 == 1' "$root/data/brainlist.in" | sed "s/@CHARACTER@/$character/"
    cat "$here/speech/commands.txt"
} | tr -d '\r' >"$work/phrases.txt"
grammar="$work/Temp"
{
    printf '[Grammer]\r\ntype=cfg\r\n[<start>]\r\n'
    while IFS= read -r phrase; do printf '<start>=%s\r\n' "$phrase"; done <"$work/phrases.txt"
    printf '\r\n'
} >"$grammar"
# Each phrase once, as the grammar holds it, for the commands said in the stream.
"$bench" --list-phrases "$grammar" >"$work/commands.txt"

stream="$build/bench/talk/$stream_name"
paths=$(for text in $texts; do printf '%s,' "$fortunes/$text"; done)
key=$(printf '%s\n' "$seed" "$minutes" "$voices" "$rates" "$texts" | cat - "$work/commands.txt" \
    "$here/talk/make-stream.py" | md5sum | cut -c1-32)
if [ "$(cat "$stream/key" 2>/dev/null)" != "$key" ] || [ ! -f "$stream/stream.raw" ]; then
    rm -f "$stream/key"
    python3 "$here/talk/make-stream.py" --out "$stream" --seed "$seed" --minutes "$minutes" \
        --voices "${voices// /,}" --rates "${rates// /,}" --texts "${paths%,}" \
        --commands "$work/commands.txt" >&2
    echo "$key" >"$stream/key"
fi

# The two passes decode the same stream each on its own: side by side they take half the time.
log=${TALK_LOG:-/dev/null}
pids=()
for pass in listening awake; do
    "$bench" --grammar "$grammar" --stream "$stream/stream.raw" --commands "$stream/commands.tsv" \
        --talk "$stream/talk.tsv" --pass "$pass" --verbose "${extra[@]}" >"$work/$pass.out" 2>"$work/$pass.log" &
    pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid"; done
cat "$work/listening.out" "$work/awake.out"
cat "$work/listening.log" "$work/awake.log" >"$log"
