#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots from the real game in its window on a virtual
# X display: the title, the stage selection, a stage in play and the ending.
# Keys are typed with xdotool and the window is captured with xwd.
# Needs the packages that scripts/setup.sh installs (xvfb, xdotool, x11-apps,
# python3).
#
# The game runs from a scratch copy of build/game, so no save file is touched.
# The ending is reached by clearing the only stage of a one-stage copy with the
# solver's moves.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh build >/dev/null
out=$root/docs/screenshots
mkdir -p "$out"

scratch=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() {
  kill "${game_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display SDL_AUDIODRIVER=dummy
sleep 1

# Starts the game from a copy of the game folder with the given stage files.
start_game() {
  local folder=$scratch/$1
  shift
  mkdir -p "$folder/Stage"
  find "$root/build/game" -maxdepth 1 -type f ! -name data.sav -exec cp {} "$folder" \;
  cp "$@" "$folder/Stage/"
  (cd "$folder" && exec ./veltrim) &
  game_pid=$!
  window=$(xdotool search --sync --name '^Veltrim$' | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 1
}

# Holds a key for a few frames, then waits for the game to react.
press() {
  xdotool keydown --window "$window" "$1"
  sleep 0.08
  xdotool keyup --window "$window" "$1"
  sleep "${2:-0.5}"
}

shoot() {
  xwd -silent -id "$window" > "$scratch/$1.xwd"
  python3 "$root/scripts/xwd_to_png.py" "$scratch/$1.xwd" "$out/$1.png"
  echo "took $1.png"
}

stop_game() {
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
}

# Title, selection and a stage in play, with every stage.
start_game full "$root"/build/game/Stage/stage*.map
press z 2          # skip the opening logo
shoot title
press Down
press Down
press z 3          # the stage selection
sleep 1
shoot select
press z 2          # the title card of stage 1, whose rule card says the goal rule
press z 2          # play it
for key in Right Right Down; do press "$key" 0.5; done
shoot stage
stop_game

# The ending: a copy with one stage, cleared with the solver's moves.
moves=$(build/tools/solver/solver build/game/Stage/stage1.map | sed -n 's/^ *moves: *//p')
start_game ending build/game/Stage/stage1.map
press z 2
press z 1.5        # start from stage 1
press z 2          # leave the title card
for ((i = 0; i < ${#moves}; i++)); do
  case ${moves:i:1} in
    L) press Left 0.4 ;; R) press Right 0.4 ;; U) press Up 0.4 ;; D) press Down 0.4 ;;
  esac
done
sleep 28           # the clear, then the ending's title, staff roll and logo
shoot ending
stop_game
