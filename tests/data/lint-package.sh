#!/usr/bin/env bash
# Builds the Debian package from this build and lets lintian judge it: any
# error fails; warnings are shown.
# Usage: lint-package.sh BUILD_DIR
set -euo pipefail
build=$1
cd "$build"
cpack -G DEB >/dev/null
package=$(ls -t kalmo-translator_*.deb | head -n 1)
report=$(lintian --pedantic "$package" 2>&1 | grep -v 'running with root privileges' || true)
[ -n "$report" ] && printf '%s\n' "$report"
if printf '%s\n' "$report" | grep -q '^E:'; then
  echo "lintian found errors in $package"
  exit 1
fi
echo "lintian: no errors in $package"
