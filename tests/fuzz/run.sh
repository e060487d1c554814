#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and UBSan into build-fuzz/
# and runs each for SECONDS (600 unless given), then tells per target how many inputs ran,
# the coverage reached and what was found.
#
#   tests/fuzz/run.sh [SECONDS] [TARGET...]
#
# New inputs go to build-fuzz/corpus/TARGET, so the seeds that tests/fuzz/seeds names stay small;
# inputs that crash, hang or run out of memory go to build-fuzz/findings/TARGET. Save a fixed
# one in tests/fuzz/regressions/TARGET, where the normal test run replays it.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
FUZZ_BUILD=${FUZZ_BUILD:-$ROOT/build-fuzz}
SECONDS_EACH=${1:-600}
shift || true
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
    TARGETS=(vbscript-lexer vbscript-parser vbscript-interpreter commandlist grammar sendkeys
        characterfile textfile)
fi

say() { printf '\033[1m==> %s\033[0m\n' "$*"; }

# clang stays out of scripts/packages.txt: only fuzzing needs it.
missing=()
for pkg in clang-14 libclang-rt-14-dev libfuzzer-14-dev; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
    say "Installing ${missing[*]}"
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends \
        "${missing[@]}"
fi
# The rest of what the build needs is what the normal build installs.
source "$ROOT/scripts/setup.sh"
quillet_install_packages

if [ ! -f "$FUZZ_BUILD/CMakeCache.txt" ]; then
    say "Configuring the fuzz build in $FUZZ_BUILD"
    CC=clang-14 CXX=clang++-14 cmake -S "$ROOT" -B "$FUZZ_BUILD" \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_FUZZ=ON
fi
build_targets=()
for target in "${TARGETS[@]}"; do
    build_targets+=("fuzz_${target//-/_}")
done
say "Building ${build_targets[*]}"
cmake --build "$FUZZ_BUILD" -j "${FUZZ_JOBS:-2}" --target "${build_targets[@]}"

# Scripts reach files and programs through the engine; the targets keep them away with fakes,
# and running them as nobody keeps a slip from touching anything that matters.
runner=()
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null; then
    runner=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

summary=()
for target in "${TARGETS[@]}"; do
    work=$FUZZ_BUILD/corpus/$target
    findings=$FUZZ_BUILD/findings/$target
    log=$FUZZ_BUILD/logs/$target.log
    mkdir -p "$work" "$findings" "$(dirname "$log")"
    [ ${#runner[@]} -eq 0 ] || chown -R nobody "$work" "$findings"
    options=()
    case $target in
    vbscript-*) options+=(-dict="$ROOT/tests/fuzz/vbscript.dict") ;;
    esac
    # The seeds that seeds/TARGET.txt names, gathered into one folder as the replay test reads
    # them: a file, or every file below a folder but a script test's .out and .in.
    seeds=$FUZZ_BUILD/seeds/$target
    rm -rf "$seeds"
    mkdir -p "$seeds"
    while read -r entry; do
        case $entry in '' | '#'*) continue ;; esac
        find "$ROOT/tests/$entry" -type f -print0 |
            while IFS= read -r -d '' file; do
                case $file in *.out | *.in) [ -f "${file%.*}.vbs" ] && continue ;; esac
                cp "$file" "$seeds/$(sed 's|/|-|g' <<<"${file#"$ROOT/tests/"}")"
            done
    done <"$ROOT/tests/fuzz/seeds/$target.txt"
    say "Fuzzing $target for ${SECONDS_EACH}s (log: $log)"
    # Fork mode goes on past a finding, so one run finds what it can in the time given.
    (cd "$findings" && "${runner[@]}" "$FUZZ_BUILD/fuzz/$target" \
        -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
        -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$findings/" "${options[@]}" \
        "$work" "$seeds") >"$log" 2>&1 || true
    last=$(grep -E '^#[0-9]+: cov: ' "$log" | tail -1 || true)
    runs=$(sed -nE 's/^#([0-9]+): cov: .*/\1/p' <<<"$last")
    cov=$(sed -nE 's/.* cov: ([0-9]+) .*/\1/p' <<<"$last")
    ft=$(sed -nE 's/.* ft: ([0-9]+) .*/\1/p' <<<"$last")
    found=$(find "$findings" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' \
        -o -name 'timeout-*' -o -name 'oom-*' -o -name 'slow-unit-*' \) | sort)
    line=$(printf '%-22s runs %-10s cov %-6s ft %-6s findings %s' "$target" "${runs:-?}" \
        "${cov:-?}" "${ft:-?}" "$(grep -c . <<<"$found" || true)")
    summary+=("$line")
    for f in $found; do
        summary+=("    $f")
    done
done

say "Results (${SECONDS_EACH}s each)"
printf '%s\n' "${summary[@]}"
