#!/usr/bin/env bash
# Installs what is missing, builds the release configuration and prints the
# benchmark table: every figure beside its floor, measured in the same run.
# Exits non-zero when a figure misses its ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh libbenchmark-dev python3
export QT_QPA_PLATFORM=offscreen
cmake --preset release -DLEXIWREN_BENCH=ON >/dev/null
cmake --build --preset release --target lexiwren_bench lexiwren_startup bare_window make_word_file
out=build/release/bench
"$out/make_word_file" 1000 "$out/words-1000.txt"
"$out/lexiwren_bench" --benchmark_repetitions=7 --benchmark_min_time=0.2 \
  --benchmark_report_aggregates_only=true --benchmark_format=json --benchmark_out="$out/bench.json" \
  --benchmark_out_format=json >/dev/null
python3 bench/startup.py "$out/lexiwren_startup" "$out/bare_window" "$out/words-1000.txt" 21 >"$out/startup.json"
echo "Measured on: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(. /etc/os-release; echo "$PRETTY_NAME")"
python3 bench/report.py "$out/bench.json" "$out/startup.json"
