#!/usr/bin/env bash
# Installs the package built by lint-package.sh with dpkg, runs both programs
# from their installed paths, and removes the package again, checking that
# nothing it installed stays behind. Skips (77) unless run as root.
# Usage: install-package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source_dir=$2
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: installing a package needs root"
  exit 77
fi
package=$(ls -t "$build"/kalmo-translator_*.deb 2>/dev/null | head -n 1)
[ -n "$package" ] || { echo "no package in $build: lint-package.sh builds it"; exit 1; }

dpkg -i "$package"
trap 'dpkg -r kalmo-translator >/dev/null 2>&1 || true' EXIT
installed=$(dpkg -L kalmo-translator)

/usr/bin/kalmo --version | grep -qx 'kalmo [0-9.]*[0-9]'
QT_QPA_PLATFORM=offscreen /usr/bin/kalmo-translator --version | grep -q '[0-9]\.[0-9]'
man -w kalmo >/dev/null
[ -f /usr/share/applications/org.kalmo.Translator.desktop ]

# An offscreen start with a language file: still running after a few
# seconds means it started and loaded without crashing.
work=$(mktemp -d)
trap 'rm -rf "$work"; dpkg -r kalmo-translator >/dev/null 2>&1 || true' EXIT
cp "$source_dir/tests/fixtures/chinese.php" "$work/lang.php"
status=0
# The user's folders are the test's own: the program reads and writes its
# recovery journals there.
(cd "$work" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state" \
  QT_QPA_PLATFORM=offscreen timeout 4 /usr/bin/kalmo-translator lang.php) || status=$?
if [ "$status" -ne 124 ]; then
  echo "kalmo-translator lang.php ended with status $status instead of running"
  exit 1
fi

dpkg -r kalmo-translator
left=""
while IFS= read -r path; do
  [ -f "$path" ] || [ -L "$path" ] && left+="$path"$'\n'
done <<<"$installed"
if [ -n "$left" ]; then
  printf 'left behind after removal:\n%s' "$left"
  exit 1
fi
echo "installed, ran and removed $(basename "$package")"
