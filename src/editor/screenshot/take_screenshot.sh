#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes docs/quillon.png, Quillon's main dialog with a picture strip loaded,
# and docs/quillon_size.png, its object-size dialog, both
# drawn by the real X11 platform under Xvfb.
#   src/editor/screenshot/take_screenshot.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../../.."
build_dir=${1:-build}
cmake --build "$build_dir" --target quillon_shot
mkdir -p docs
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$build_dir/quillon_shot" docs/quillon.png docs/quillon_size.png
