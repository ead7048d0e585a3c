#!/usr/bin/env bash
# Builds the release configuration with the benchmarks and prints the
# dictionary's table: the first use's build of the index from the installed
# edict, the size of its cache, a later run's reading of the cache, and
# lookups as a learner types. Exits 0 when every figure meets its target, 1
# when one misses, 2 when it cannot measure (no edict installed).
# BENCH_REPETITIONS sets how many times each benchmark runs (5).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh libbenchmark-dev python3 edict
[ -f /usr/share/edict/edict ] || { echo "bench-dictionary: /usr/share/edict/edict is missing" >&2; exit 2; }
cmake --preset release -DLEXIWREN_BENCH=ON >/dev/null
cmake --build --preset release --target lexiwren_dictionary_bench >/dev/null
out=build/release/bench
work="$(mktemp -d /tmp/lexiwren-bench-dictionary.XXXXXX)"
trap 'rm -rf "$work"' EXIT

# Each repetition of every benchmark in a random order with the others, so
# drift in the machine's load falls on all of them alike.
TMPDIR="$work" "$out/lexiwren_dictionary_bench" --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_enable_random_interleaving=true --benchmark_out="$out/dictionary.json" \
  --benchmark_out_format=json >/dev/null 2>"$work/bench.log" || { cat "$work/bench.log" >&2; exit 2; }
/usr/bin/python3 -B bench/dictionary_report.py "$out/dictionary.json"
