#!/usr/bin/env bash
# Installs what is missing, builds the window program and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build"
cmake --build "$top/build" --target kalmo-translator -j"$(nproc)"
exec "$top/build/bin/kalmo-translator" "$@"
