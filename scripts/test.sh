#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test: once in the normal
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy QT_QPA_PLATFORM=offscreen

scripts/setup.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"

scripts/setup.sh build-asan -DVELTRIM_SANITIZE=ON -DVELTRIM_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
# Full unwinding at each allocation: system libraries built without frame
# pointers (Mesa's GLX driver) otherwise leave stacks too short for the
# suppressions to recognise.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:fast_unwind_on_malloc=0 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
