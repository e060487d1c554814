#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages that are missing,
# then configures and builds Quillet incrementally into $BUILD_DIR (with the CMake options in
# the array QUILLET_CMAKE_ARGS, when set, the first time).
set -euo pipefail

QUILLET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$QUILLET_ROOT/build}
export QUILLET_ROOT BUILD_DIR

say() { printf '\033[1m==> %s\033[0m\n' "$*"; }

quillet_missing_packages() {
    local pkg missing=()
    while read -r pkg; do
        pkg=${pkg%%#*}
        pkg=${pkg//[[:space:]]/}
        [ -n "$pkg" ] || continue
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done <"$QUILLET_ROOT/scripts/packages.txt"
    echo "${missing[@]:-}"
}

quillet_install_packages() {
    local missing
    missing=$(quillet_missing_packages)
    if [ -z "$missing" ]; then
        say "All required Debian packages are installed"
        return
    fi
    say "Installing missing Debian packages: $missing"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "Quillet needs these packages and sudo is not available to install them:" >&2
            echo "  $missing" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends $missing
}

# The tests run scripts under a comma-decimal locale, as the program runs for many users, to
# show that numbers in scripts never follow it; generate it where it is missing.
quillet_generate_test_locale() {
    if locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
        return
    fi
    say "Generating the de_DE.UTF-8 locale for the tests"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "The tests need the de_DE.UTF-8 locale and sudo is not available to generate it." >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    if grep -q '^# *de_DE.UTF-8' /etc/locale.gen 2>/dev/null; then
        "${sudo[@]}" sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen
    elif ! grep -q '^de_DE.UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'de_DE.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    fi
    "${sudo[@]}" locale-gen
}

quillet_build() {
    local jobs
    jobs=$(nproc 2>/dev/null || echo 2)
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        say "Configuring the build in $BUILD_DIR"
        cmake -S "$QUILLET_ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-Release} \
            ${QUILLET_CMAKE_ARGS[@]+"${QUILLET_CMAKE_ARGS[@]}"}
    fi
    say "Building Quillet ($jobs jobs)"
    cmake --build "$BUILD_DIR" -j "$jobs"
}
