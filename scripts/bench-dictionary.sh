#!/usr/bin/env bash
# Builds the release configuration with the benchmarks and prints the
# dictionary's table: the first use's build of the index from the installed
# edict, the size of its cache, a later run's reading of the cache, lookups
# as a learner types, and typing in the word field with the suggestions
# following it beside the same fields without them, on an X display of its
# own (Xvfb). Exits 0 when every figure meets its target, 1 when one misses,
# 2 when it cannot measure (no edict installed, no X server).
# BENCH_REPETITIONS sets how many times each benchmark runs (5; the typing
# pair twice as often).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh libbenchmark-dev python3 edict xvfb
[ -f /usr/share/edict/edict ] || { echo "bench-dictionary: /usr/share/edict/edict is missing" >&2; exit 2; }
cmake --preset release -DLEXIWREN_BENCH=ON >/dev/null
cmake --build --preset release --target lexiwren_dictionary_bench lexiwren_typing_bench >/dev/null
out=build/release/bench
work="$(mktemp -d /tmp/lexiwren-bench-dictionary.XXXXXX)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$work"

# Each repetition of every benchmark in a random order with the others, so
# drift in the machine's load falls on all of them alike.
TMPDIR="$work" "$out/lexiwren_dictionary_bench" --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_enable_random_interleaving=true --benchmark_out="$out/dictionary.json" \
  --benchmark_out_format=json >/dev/null 2>"$work/bench.log" || { cat "$work/bench.log" >&2; exit 2; }

# Xvfb picks a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "bench-dictionary: Xvfb did not start" >&2; exit 2; }
DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb TMPDIR="$work" "$out/lexiwren_typing_bench" \
  --benchmark_repetitions=$((2 * ${BENCH_REPETITIONS:-5})) --benchmark_enable_random_interleaving=true \
  --benchmark_out="$out/typing.json" --benchmark_out_format=json >/dev/null 2>"$work/typing.log" ||
  { cat "$work/typing.log" >&2; exit 2; }
/usr/bin/python3 -B bench/dictionary_report.py "$out/dictionary.json" "$out/typing.json"
