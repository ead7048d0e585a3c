#!/usr/bin/env bash
# Opens a KVTML file written by our export in KWordQuiz on the test display
# and checks that its table shows the first word: the cell is copied with the
# keyboard and read back from the clipboard. Skips, saying why, where
# KWordQuiz, xdotool, xclip or a display is missing.
#   kvtml_in_kwordquiz.sh EXPORT_WORDS WORKDIR
set -euo pipefail
exporter="$1"
dir="$2/kwordquiz"

for tool in kwordquiz xdotool xclip; do
  if ! command -v "$tool" >/dev/null; then
    echo "kvtml: skipped, $tool is not installed"
    exit 0
  fi
done
if [ -z "${DISPLAY:-}" ]; then
  echo "kvtml: skipped, no display"
  exit 0
fi

mkdir -p "$dir/home"
# A word file in CP932: serendipity / 思いがけない発見, and a second word.
printf 'serendipity,\x8e\x76\x82\xa2\x82\xaa\x82\xaf\x82\xc8\x82\xa2\x94\xad\x8c\xa9,,,0,3,2\r\nrun,\x91\x96\x82\xe9,,,1,0,0\r\n' \
  >"$dir/words.txt"
"$exporter" "$dir/words.txt" "$dir/words.kvtml" kvtml

HOME="$dir/home" XDG_RUNTIME_DIR="$dir/home" kwordquiz "$dir/words.kvtml" </dev/null >"$dir/kwordquiz.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

window="$(timeout 60 xdotool search --sync --name 'words\.kvtml' | head -n1)" || {
  echo "kvtml: KWordQuiz showed no window for the file"
  cat "$dir/kwordquiz.log"
  exit 1
}
# The table has the keyboard focus with its first cell current once the file
# is loaded; moving down and back up selects that cell, and Ctrl+C copies it.
for _ in $(seq 30); do
  xdotool mousemove --window "$window" 100 100 >/dev/null 2>&1 || true
  xdotool windowfocus "$window" >/dev/null 2>&1 || true
  xdotool key Down Up ctrl+c
  sleep 0.5
  shown="$(timeout 5 xclip -selection clipboard -o </dev/null 2>/dev/null || true)"
  if [ "$shown" = serendipity ]; then
    echo "kvtml: KWordQuiz shows the exported word"
    exit 0
  fi
  sleep 0.5
done
echo "kvtml: KWordQuiz did not show the word serendipity (its first cell gave '${shown}')"
exit 1
