#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only when one of them is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  libpng-dev libjpeg62-turbo-dev zlib1g-dev libzip-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2
  poppler-utils
  # Sound and video of the sources: Qt Multimedia plays them through
  # GStreamer (WAV and AVI demuxers, PCM and raw video)
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  # Scanners: the SANE library (loaded at run time, its "test" back end
  # serves the tests), its headers, and scanimage, which the tests compare
  # against
  libsane1 libsane-dev sane-utils
  # The web map: Qt WebEngine (Chromium) and its helper process, which the
  # library only recommends
  qt6-webengine-dev libqt6webenginecore6-bin
  # "lignee -anniv" tested as a process: today fixed by faketime, the
  # reminder's window found and closed on a real X server
  faketime xvfb xdotool
  # The metafile player compared with an independent converter: emf2svg
  # turns the test metafiles into SVG, rsvg-convert rasterises it
  emf2svg librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installation de : ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
