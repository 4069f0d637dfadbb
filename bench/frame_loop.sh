#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the real SDL frame loop for 10 seconds: processor use and frame
# intervals. Uses a virtual X display when there is no display.
#   bench/frame_loop.sh [seconds] [scene id]   (2 = the title scene)
# BENCH_REALTIME=1 runs it with real-time priority (needs the right to), which
# takes a busy machine's scheduling delays out of the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target frame_loop_bench veltrim >/dev/null
bench=$PWD/build/bench/frame_loop_bench

# Run beside the game's data when it is built; otherwise a folder with one stage file.
if [ -d build/game/Stage ]; then
  cd build/game
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/Stage"
  printf 'STG\x01\x00\x14\x0f\x00\x00' > "$work/Stage/stage1.map"
  cd "$work"
fi

run=("$bench" "${1:-10}" "${2:-0}")
[ "${BENCH_REALTIME:-0}" = 1 ] && run=(chrt -f 10 "${run[@]}")
if [ -n "${DISPLAY:-}" ]; then
  "${run[@]}"
else
  xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}"
fi
