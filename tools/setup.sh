#!/bin/sh
# Installs the Debian packages Zentaku needs to build, bake its data and run its tests.
# Only missing packages are installed; apt-get runs as root, through sudo otherwise. The browser
# build takes its libraries' sources from Debian's source packages: a deb-src line is added for
# them when none is there.
set -e
PKGS="build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev
  libgtest-dev libbenchmark-dev
  librsvg2-dev libcairo2-dev libpng-dev libdeflate-dev libvorbis-dev gettext
  unifont console-setup-linux
  xvfb xdotool x11-apps imagemagick xauth
  clang libclang-rt-14-dev clang-format ffmpeg desktop-file-utils appstream dpkg-dev file
  emscripten chromium-headless-shell"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
src=/etc/apt/sources.list.d/zentaku-src.sources
if ! grep -rqs "^deb-src\|^Types:.*deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" \
    "Suites: bookworm bookworm-updates" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" | $SUDO tee "$src" >/dev/null
  missing="$missing update"
fi
[ -z "$missing" ] && exit 0
missing=$(echo "$missing" | sed 's/ update//')
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
[ -z "$missing" ] && exit 0
$SUDO apt-get install -y -q --no-install-recommends $missing
