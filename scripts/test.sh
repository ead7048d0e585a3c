#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every
# test headless (Qt's offscreen platform). Pass "asan" to run the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
# As many build jobs as the machine has cores, unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"
preset="${1:-ci}"
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
