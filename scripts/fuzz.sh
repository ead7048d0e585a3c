#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan; the "fuzz" preset) and
# runs each one for a bounded time, starting from its seed corpus in
# fuzz/corpus/. A crash, a sanitizer report or a broken property fails the
# run; the input that did it is kept in build/fuzz/artifacts/.
# FUZZ_SECONDS sets the time per target (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
# As many build jobs as the machine has cores, unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
scripts/install-deps.sh clang libclang-rt-14-dev
seconds="${FUZZ_SECONDS:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

artifacts="$PWD/build/fuzz/artifacts"
mkdir -p "$artifacts"
work="$(mktemp -d "${TMPDIR:-/tmp}/lexiwren-fuzz.XXXXXX")"
trap 'rm -rf "$work"' EXIT
# The word file target saves many small files: a RAM disk when there is one.
scratch="$work/files"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch="$(mktemp -d /dev/shm/lexiwren-fuzz.XXXXXX)"
  trap 'rm -rf "$work" "$scratch"' EXIT
fi
mkdir -p "$scratch"

for target in word_file preferences codec; do
  echo "== ${target}_fuzz, ${seconds} s"
  # New inputs go to a scratch corpus; the committed seeds stay as they are.
  mkdir -p "$work/$target"
  TMPDIR="$scratch" UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build/fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$artifacts/${target}-" \
      "$work/$target" "fuzz/corpus/$target" 2>&1 \
    | grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)'
done
