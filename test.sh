#!/usr/bin/env bash
# Installs what is missing, builds Quillet and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

quillet_install_packages
quillet_generate_test_locale
quillet_build

say "Running the tests"
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"
