#!/usr/bin/env bash
# Builds the release configuration with the benchmarks and prints the
# performance tables: every figure beside its floor, measured in the same
# run, and KWordQuiz and Parley beside Lexiwren when they are installed.
# Exits 0 when every figure holds its ratio, 1 when one misses.
#
# Starts its own X server (Xvfb) and session bus, as a learner's desktop
# has, and stops them again; every file it writes outside build/ is in one
# temporary folder, removed at the end. BENCH_RUNS sets how many times each
# program is started (15).
set -euo pipefail
cd "$(dirname "$0")/.."
# As many build jobs as the machine has cores, unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"

scripts/install-deps.sh libbenchmark-dev python3 python3-xlib xvfb dbus-daemon dbus-session-bus-common
cmake --preset release -DLEXIWREN_BENCH=ON >/dev/null
cmake --build --preset release --target lexiwren lexiwren_bench make_word_file lexiwren_probe lexiwren_floor \
  lexiwren_floor_steps make_history lexiwren_history_bench >/dev/null
out=build/release/bench
runs="${BENCH_RUNS:-15}"

work="$(mktemp -d /tmp/lexiwren-bench.XXXXXX)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
# Qt would otherwise make a runtime folder of its own in /tmp.
export XDG_RUNTIME_DIR="$work"

"$out/make_word_file" 1000 "$out/words-1000.txt"
/usr/bin/python3 bench/kvtml.py "$out/words-1000.txt" "$out/words-1000.kvtml"
# A year of answers to those words: the progress tab is drawn from it and
# the quiz answer adds its row to it.
"$out/make_history" 100000 "$out/history-100000.sqlite"

# The store's pairs, in process; each repetition of every benchmark runs in a
# random order with the others, so load drift falls on both sides of a pair.
"$out/lexiwren_bench" --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true \
  --benchmark_min_time=0.05 --benchmark_out="$out/bench.json" --benchmark_out_format=json \
  >/dev/null 2>"$work/bench.log" || { cat "$work/bench.log" >&2; exit 2; }
# The history's: the due pool, the progress numbers and one answer's row
# beside their floors, at 10,000 to 1,000,000 rows.
"$out/lexiwren_history_bench" --benchmark_repetitions="${HISTORY_REPETITIONS:-5}" \
  --benchmark_enable_random_interleaving=true --benchmark_out="$out/history.json" --benchmark_out_format=json \
  >/dev/null 2>"$work/history.log" || { cat "$work/history.log" >&2; exit 2; }

# Xvfb picks a free display number itself and writes it to fd 3.
# -noreset: by default the server resets whenever its last client leaves.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
dbus-daemon --session --nofork --address="unix:path=$work/bus" >"$work/bus.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && [ -S "$work/bus" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "bench: Xvfb did not start" >&2; exit 2; }
[ -S "$work/bus" ] || { cat "$work/bus.log"; echo "bench: the session bus did not start" >&2; exit 2; }
export DISPLAY=":$(head -n1 "$work/display")" DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"

TMPDIR="$work" timeout --kill-after=10 1800 /usr/bin/python3 -B bench/first_paint.py "$out" build/release/src/lexiwren \
  "$out/words-1000.txt" "$out/words-1000.kvtml" "$runs" "$out/history-100000.sqlite" >"$out/first_paint.json" ||
  { echo "bench: timing on the X display failed" >&2; exit 2; }

status=0
/usr/bin/python3 -B bench/report.py "$out/bench.json" "$out/first_paint.json" "$out/history.json" || status=$?
exit "$status"
