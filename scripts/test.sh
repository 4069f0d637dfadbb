#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy QT_QPA_PLATFORM=offscreen

scripts/setup.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"

scripts/setup.sh build-asan -DVELTRIM_SANITIZE=ON -DVELTRIM_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
