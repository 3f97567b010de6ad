#!/usr/bin/env bash
# Builds the Debian package build/kalmo-translator_VERSION_ARCH.deb.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build"
cmake --build "$top/build" --target kalmo-translator kalmo desktop_files -j"$(nproc)"
(cd "$top/build" && cpack -G DEB)
