#!/usr/bin/env bash
# Usage: validate-install.sh BUILD_DIR STAGE_DIR APP_ID
# Installs BUILD_DIR into STAGE_DIR (prefix /usr, as the Debian package does)
# and checks the installed desktop entry and AppStream metadata with Debian's
# own validators. Exits 77 (skipped) when neither validator is installed.
set -euo pipefail
build=$1 stage=$2 id=$3

have_desktop=$(command -v desktop-file-validate || true)
have_appstream=$(command -v appstreamcli || true)
if [ -z "$have_desktop" ] && [ -z "$have_appstream" ]; then
  echo "desktop-file-validate and appstreamcli are not installed" \
       "(packages desktop-file-utils, appstream): skipped"
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
         "$share/doc/lexiwren/copyright" \
         "$share/doc/lexiwren/changelog.gz"; do
  [ -f "$f" ] || { echo "not installed: ${f#"$stage"}"; exit 1; }
done
for size in 16 32 48 64 128 256; do
  f="$share/icons/hicolor/${size}x${size}/apps/lexiwren.png"
  [ -f "$f" ] || { echo "not installed: ${f#"$stage"}"; exit 1; }
done

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
