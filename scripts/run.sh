#!/usr/bin/env bash
# Installs what is missing, builds Lexiwren and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
# As many build jobs as the machine has cores, unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
scripts/install-deps.sh
cmake --preset dev -DLEXIWREN_TESTS=OFF >/dev/null
cmake --build --preset dev --target lexiwren
exec build/dev/src/lexiwren "$@"
