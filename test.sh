#!/usr/bin/env bash
# Installs what is missing, builds Quillet and runs every test.
#   ./test.sh [CTEST ARGS...]             the normal build in build/
#   ./test.sh --sanitize [CTEST ARGS...]  built with AddressSanitizer and UBSan in build-asan/
set -euo pipefail

sanitize=0
if [ "${1:-}" = --sanitize ]; then
    sanitize=1
    shift
    BUILD_DIR=${BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/build-asan}
    CMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo}
    QUILLET_CMAKE_ARGS=(-DQUILLET_SANITIZE=ON)
fi
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

if [ "$sanitize" = 1 ]; then
    # Test discovery runs the test binaries during the build, so the options apply there too.
    # Leaks are not looked for: pocketsphinx loses part of what each decoder set-up parses,
    # which would fail every recognizer test for a fault that is not ours.
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fi

quillet_install_packages
quillet_generate_test_locale
quillet_build

say "Running the tests"
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"
