#!/usr/bin/env bash
# Installs the Debian 12 packages Lexiwren needs to build, run and test,
# only those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev libfontconfig-dev
  libgtest-dev googletest
  dbus-daemon
  libcsv-dev libxml2-utils
  libsqlite3-dev tzdata
  # Reading aloud: Qt TextToSpeech (its 6.4 headers include QtQmlIntegration,
  # which is in qt6-declarative-dev) and speech-dispatcher with espeak-ng;
  # the tests start a speech-dispatcher of their own.
  qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin
  speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  # The English–Japanese dictionary the meaning suggestions come from.
  edict
  fonts-ipafont-gothic
  appstream desktop-file-utils man-db
  python3
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
