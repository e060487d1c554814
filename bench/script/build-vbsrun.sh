# Sourced by the script engine's benchmarks: builds vbsrun (or uses $BUILD_DIR) and sets here
# (bench/), root, build and vbsrun.
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${BUILD_DIR:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    # Problems elsewhere in the project must not stop the engine's own build.
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null 2>&1 ||
        echo "$(basename "$0"): cmake reported problems; building vbsrun anyway" >&2
fi
cmake --build "$build" --target vbsrun -j2 >/dev/null
vbsrun=$build/app/vbsrun
[ -x "$vbsrun" ] || vbsrun=$(find "$build" -name vbsrun -type f -perm -u+x -print -quit)
