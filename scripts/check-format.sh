#!/usr/bin/env bash
# Holds the C++ files changed since a base commit to the house style
# (.clang-format). The base is $1, or else the commit that last changed the
# style, from which on every file was kept to it; in a clone too shallow to
# hold that commit, every file is checked.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang-format
base="${1:-$(git log -n 1 --format=%H -- .clang-format 2>/dev/null || true)}"
if [ -n "$base" ] && git rev-parse -q --verify "$base^{commit}" >/dev/null; then
  mapfile -t files < <(git diff --name-only --diff-filter=ACMR "$base" -- '*.cpp' '*.h')
else
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
fi
[ ${#files[@]} -eq 0 ] && { echo "check-format: no C++ file changed"; exit 0; }
clang-format --dry-run --Werror "${files[@]}"
echo "check-format: ${#files[@]} changed files follow .clang-format"
