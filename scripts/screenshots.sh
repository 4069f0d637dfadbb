#!/usr/bin/env bash
# Takes the README's screenshots from the real game: the title, the stage
# selection, a stage in play and the ending, into docs/screenshots/.
#
# The game runs on its headless platform: the same scenes, frame loop and
# renderer as in the window, with scripted keys (the last stage is played to
# its clear with the stage solver's solution) and frames saved as they are
# presented. It fails if the game showed any message box on the way.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build >/dev/null
cmake --build build --target screenshots solver
last=$(ls build/game/Stage/stage*.map | sed 's/.*stage\([0-9]*\)\.map/\1/' | sort -n | tail -1)
moves=$(build/tools/solver/solver "build/game/Stage/stage$last.map" | sed -n 's/^ *moves: *//p')
SDL_AUDIODRIVER=dummy build/tools/screenshots/screenshots build/game docs/screenshots "$moves"
