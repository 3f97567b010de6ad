#!/usr/bin/env bash
# Rebuilds the pictures LOGO, KLOGO and kalmo under resources/ and the
# program's icon under data/icons/ from their drawing code. Run it after
# changing scripts/make-pictures/MakePictures.cpp.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-pictures"
cmake -S "$top/scripts/make-pictures" -B "$build" >/dev/null
cmake --build "$build" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/make-pictures" "$top/resources" "$top/data/icons" org.kalmo.Translator
