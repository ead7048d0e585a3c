#!/usr/bin/env bash
# End-to-end test of the built program on a real X display: starts Xvfb,
# drives lexiwren with real key and mouse events (xdotool), answers its
# message boxes and checks the word files on disk (scripts/e2e/drive.py).
# Then opens a KVTML file we export in KWordQuiz and checks that it shows the
# word (scripts/e2e/kvtml_in_kwordquiz.sh). Then types Japanese through a real
# input method, fcitx5 with Mozc (scripts/e2e/typing.py), skipped where those
# packages cannot be installed.
# Set LEXIWREN_BIN to test an already built program instead of building the
# ci preset (the KWordQuiz check then uses build/ci/tools/export_words where
# it exists, or is skipped). Stops by itself within eight minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
# As many build jobs as the machine has cores, unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
root="$PWD"

scripts/install-deps.sh xvfb xdotool x11-utils x11-apps x11-xserver-utils python3 kwordquiz xclip
# The input method, its Japanese engine, fcitx5's module for Qt 6 programs,
# and a session bus of the test's own.
im_packages=(fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-daemon)
scripts/install-deps.sh "${im_packages[@]}" || echo "e2e: could not install ${im_packages[*]}"
if [ -z "${LEXIWREN_BIN:-}" ]; then
  cmake --preset ci >/dev/null
  cmake --build --preset ci --target lexiwren export_words
  LEXIWREN_BIN="$root/build/ci/src/lexiwren"
fi

work="$(mktemp -d /tmp/lexiwren-e2e.XXXXXX)"
im=""
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  if [ "${keep:-0}" = 1 ]; then
    echo "e2e: the failed run's files are in $work ${im:+and $im}"
  else
    rm -rf "$work" ${im:+"$im"}
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

# Each part runs whatever became of the one before; the script fails when
# any part failed.
status=0
if ! timeout --kill-after=10 240 /usr/bin/python3 -B "$root/scripts/e2e/drive.py" "$LEXIWREN_BIN" "$work"; then
  keep=1
  status=1
fi

exporter="$root/build/ci/tools/export_words"
if [ ! -x "$exporter" ]; then
  echo "kvtml: skipped, $exporter is not built"
elif ! timeout --kill-after=10 60 "$root/scripts/e2e/kvtml_in_kwordquiz.sh" "$exporter" "$work"; then
  keep=1
  status=1
fi

# Japanese input. Mozc will not run as root, so under root the program, the
# input method and the test run as the unprivileged user nobody, from a
# folder of their own (the build tree may not be readable to nobody).
missing=()
for p in "${im_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "e2e: Japanese input skipped: ${missing[*]} not installed"
  exit "$status"
fi
im="$(mktemp -d /tmp/lexiwren-im.XXXXXX)"
cp "$LEXIWREN_BIN" "$im/lexiwren"
cp "$root"/scripts/e2e/*.py "$im/"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody: "$im"
  as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
fi
if ! timeout --kill-after=10 180 "${as_user[@]}" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$im" \
     DISPLAY="$DISPLAY" dbus-run-session -- /usr/bin/python3 -B "$im/typing.py" "$im/lexiwren" "$im/work"; then
  keep=1
  status=1
fi
exit "$status"
