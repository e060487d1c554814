# Sourced by the speech benchmarks: builds the bench program (or uses $BUILD_DIR), makes a
# work folder removed on exit, and writes the command grammar there as the program would.
# Sets: here (bench/), bench (the program), work, grammar, and curve: the bench program's
# options for a --curve [T,T,..] given to the script (each list's figures with each
# confidence limit).
curve=()
if [ "${1:-}" = --curve ]; then
    if [[ ${2:-} =~ ^-?[0-9] ]]; then
        curve=(--curve "$2")
    else
        curve=(--curve -25,-20,-17.5,-15,-12.5,-10,-5)
    fi
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${BUILD_DIR:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target quillet_speech_bench >/dev/null
bench="$build/bench/speech/quillet_speech_bench"

work=$(mktemp -d /tmp/quillet-speech-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

grammar="$work/Temp"
{
    printf '[Grammer]\r\ntype=cfg\r\n[<start>]\r\n'
    while IFS= read -r phrase; do printf '<start>=%s\r\n' "$phrase"; done <"$here/speech/commands.txt"
    printf '\r\n'
} >"$grammar"
