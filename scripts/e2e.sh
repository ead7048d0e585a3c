#!/usr/bin/env bash
# End-to-end test of the built program on a real X display: starts Xvfb,
# drives lexiwren with real key and mouse events (xdotool), answers its
# message boxes and checks the word files on disk (scripts/e2e/drive.py).
# Then opens a KVTML file we export in KWordQuiz and checks that it shows the
# word (scripts/e2e/kvtml_in_kwordquiz.sh).
# Set LEXIWREN_BIN to test an already built program instead of building the
# ci preset (the KWordQuiz check then uses build/ci/tools/export_words where
# it exists, or is skipped). Stops by itself within five minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

scripts/install-deps.sh xvfb xdotool x11-utils x11-apps x11-xserver-utils python3 kwordquiz xclip
if [ -z "${LEXIWREN_BIN:-}" ]; then
  cmake --preset ci >/dev/null
  cmake --build --preset ci --target lexiwren export_words
  LEXIWREN_BIN="$root/build/ci/src/lexiwren"
fi

work="$(mktemp -d /tmp/lexiwren-e2e.XXXXXX)"
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  if [ "${keep:-0}" = 1 ]; then
    echo "e2e: the failed run's files are in $work"
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to the file.
# -noreset: by default the server resets whenever its last client leaves,
# and a program started during that reset cannot connect.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log"; echo "e2e: Xvfb did not start"; exit 1; }
  sleep 0.1
done
[ -s "$work/display" ] || { echo "e2e: Xvfb gave no display number"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM

if ! timeout --kill-after=10 240 /usr/bin/python3 -B "$root/scripts/e2e/drive.py" "$LEXIWREN_BIN" "$work"; then
  keep=1
  exit 1
fi

exporter="$root/build/ci/tools/export_words"
if [ ! -x "$exporter" ]; then
  echo "kvtml: skipped, $exporter is not built"
elif ! timeout --kill-after=10 60 "$root/scripts/e2e/kvtml_in_kwordquiz.sh" "$exporter" "$work"; then
  keep=1
  exit 1
fi
