#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the game from its ready folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
cd build/game
exec ./veltrim
