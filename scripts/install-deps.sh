#!/usr/bin/env bash
# Installs the Debian packages that building and running need; with the
# argument "test", also those the tests need. Skips apt entirely when
# everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev
  libutf8proc-dev
  # spelling: Enchant 2 and Hunspell's dictionaries (English at least)
  libenchant-2-dev hunspell-en-us
  # the bidirectional algorithm for right-to-left text in the code panes
  libfribidi-dev
  # kalmo reads and writes PO files through gettext's own library
  libgettextpo-dev
  # the translation memory: the system's SQLite, and libxml2 for TMX
  libsqlite3-dev libxml2-dev
  # the manual pages are written in scdoc's markup
  scdoc
  fonts-dejavu-core
  # fallbacks for the scripts the pane font lacks: Chinese, Japanese, Korean;
  # Thai; Devanagari (DejaVu already draws Arabic and Hebrew)
  fonts-wqy-microhei fonts-thai-tlwg-ttf fonts-lohit-deva
)
# A real PHP judges the files the tests write, msgfmt the PO files; the
# desktop tools and lintian judge the desktop files and the package;
# xmllint judges the TMX files kalmo writes. The screen reader test reads
# the program through AT-SPI on its own X server and session bus, typing
# through XTest. The spelling tests look words up in real German and French
# dictionaries.
[ "${1:-}" = test ] && packages+=(php-cli gettext desktop-file-utils appstream lintian man-db libxml2-utils
  python3-pyatspi at-spi2-core dbus-daemon xvfb xdotool hunspell-de-de hunspell-fr)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
