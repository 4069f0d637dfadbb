#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders each piece of the game's music to a wave file for listening, through
# the game's own music path, as the game plays it (from tick 3000, repeating):
#   scripts/render_music.sh [seconds]     -> build/music/<piece>.wav
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-100}
scripts/setup.sh build >/dev/null
cmake --build build --target render_music music
mkdir -p build/music
for piece in build/game/*.mid; do
  name=$(basename "$piece" .mid)
  build/tools/render_music/render_music "$piece" "build/music/$name.wav" "$seconds"
  echo "build/music/$name.wav"
done
