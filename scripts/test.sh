#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# build (core, widgets, program), then a clang build of the core with
# AddressSanitizer and UndefinedBehaviorSanitizer that also replays the fuzzers'
# corpora and fuzzes briefly, and last the desktop files and the Debian
# package (built, checked by lintian, installed and removed again).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$top/scripts/install-deps.sh" test

cmake -S "$top" -B "$top/build"
cmake --build "$top/build" -j"$jobs"

CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-asan" \
  -DKALMO_WITH_QT=OFF -DKALMO_BENCH=OFF -DKALMO_SANITIZE=ON -DKALMO_FUZZ=ON
cmake --build "$top/build-asan" -j"$jobs"

export QT_QPA_PLATFORM=offscreen
status=0
(cd "$top/build" && ctest --output-on-failure -j"$jobs" -LE package) || status=1
(cd "$top/build-asan" && ctest --output-on-failure -j"$jobs") || status=1
(cd "$top/build" && ctest --output-on-failure -L package) || status=1
exit $status
