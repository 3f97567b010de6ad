#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -DKALMO_TESTS=OFF -DKALMO_BENCH=OFF
cmake --build "$top/build" -j"$(nproc)"
if [ -x "$top/build/bin/kalmo-translator" ]; then
  exec "$top/build/bin/kalmo-translator" "$@"
fi
exec "$top/build/bin/kalmo" --help
