#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project needs (only the missing ones) and
# configures and builds the given build folder.
#   scripts/setup.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

# What each package is for: see "Packages" in README.md.
packages=(
  build-essential cmake pkg-config ninja-build
  libsdl2-dev libx11-dev libsdl2-ttf-dev libfontconfig-dev fonts-dejavu-core
  fonts-noto-mono fonts-urw-base35 fonts-noto-cjk
  gettext
  libpng-dev libjpeg-dev
  libfluidsynth-dev timgm6mb-soundfont
  qt6-base-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-apps python3 openbox
  desktop-file-utils appstream man-db file lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir" -j "$(nproc)"
