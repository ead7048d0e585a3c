#!/usr/bin/env bash
# Usage: validate-install.sh BUILD_DIR STAGE_DIR APP_ID
# Installs BUILD_DIR into STAGE_DIR (prefix /usr, as the Debian package does),
# checks that every installed file is in place, renders both manual pages
# (English and Japanese) with man, and checks the desktop entry and AppStream
# metadata with Debian's own validators. A check whose tool is not installed
# is skipped; when none of them can run, the whole test is (exit 77).
set -euo pipefail
build=$1 stage=$2 id=$3

have_desktop=$(command -v desktop-file-validate || true)
have_appstream=$(command -v appstreamcli || true)
have_man=$(command -v man || true)
if [ -z "$have_desktop" ] && [ -z "$have_appstream" ] && [ -z "$have_man" ]; then
  echo "desktop-file-validate, appstreamcli and man are not installed" \
       "(packages desktop-file-utils, appstream, man-db): skipped"
  exit 77
fi

rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
share="$stage/usr/share"

for f in "$stage/usr/bin/lexiwren" \
         "$share/applications/$id.desktop" \
         "$share/metainfo/$id.metainfo.xml" \
         "$share/icons/hicolor/scalable/apps/lexiwren.svg" \
         "$share/man/man1/lexiwren.1.gz" \
         "$share/man/ja/man1/lexiwren.1.gz" \
         "$share/doc/lexiwren/copyright" \
         "$share/doc/lexiwren/changelog.gz"; do
  [ -f "$f" ] || { echo "not installed: ${f#"$stage"}"; exit 1; }
done
# The speech module, where the program looks for it: the path from its own
# folder is written into it (as UTF-16, like every Qt string literal).
from_bin=$(strings -e l "$stage/usr/bin/lexiwren" | grep -m1 -x '[a-z0-9_./-]*/lexiwren/liblexiwren_speech_engine\.so' || true)
[ -n "$from_bin" ] && [ -f "$stage/usr/bin/$from_bin" ] ||
  { echo "not installed where the program looks: the speech module (${from_bin:-no path in the program})"; exit 1; }
for size in 16 32 48 64 128 256; do
  f="$share/icons/hicolor/${size}x${size}/apps/lexiwren.png"
  [ -f "$f" ] || { echo "not installed: ${f#"$stage"}"; exit 1; }
done

if [ -n "$have_man" ]; then
  # Each page renders without a single warning from groff, and `man -L ja`
  # finds the Japanese one where the English one stands for every other
  # language.
  for page in "$share/man/man1/lexiwren.1.gz" "$share/man/ja/man1/lexiwren.1.gz"; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "${page#"$stage"}: $warnings"; exit 1; }
  done
  found_ja=$(MANPATH="$share/man" man -L ja -w lexiwren)
  found_en=$(MANPATH="$share/man" man -L en -w lexiwren)
  [ "$found_ja" = "$share/man/ja/man1/lexiwren.1.gz" ] || { echo "man -L ja found: $found_ja"; exit 1; }
  [ "$found_en" = "$share/man/man1/lexiwren.1.gz" ] || { echo "man -L en found: $found_en"; exit 1; }
  echo "man: both manual pages render without warnings; man -L ja finds the Japanese one"
else
  echo "man not installed (man-db): manual pages not rendered"
fi

if [ -n "$have_desktop" ]; then
  desktop-file-validate "$share/applications/$id.desktop"
  echo "desktop-file-validate: $id.desktop is valid"
else
  echo "desktop-file-validate not installed (desktop-file-utils): not run"
fi
if [ -n "$have_appstream" ]; then
  # validate-tree also checks that the metadata, the desktop entry it
  # launches and the icon fit together as an installed tree.
  appstreamcli validate --no-net --explain "$share/metainfo/$id.metainfo.xml"
  appstreamcli validate-tree --no-net --explain "$stage"
else
  echo "appstreamcli not installed (appstream): not run"
fi
