# Sourced by the speech benchmarks: builds the bench program (or uses $BUILD_DIR), makes a
# work folder removed on exit, and writes the command grammar there as the program would.
# Sets: here (bench/), bench (the program), work, grammar.
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
