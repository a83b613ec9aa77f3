#!/bin/sh
# Installs the Debian packages Zentaku needs to build, bake its data and run its tests.
# Only missing packages are installed; apt-get runs as root, through sudo otherwise.
set -e
PKGS="build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libinih-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  librsvg2-dev libcairo2-dev libpng-dev libdeflate-dev libvorbis-dev gettext
  unifont console-setup-linux
  xvfb xdotool x11-apps imagemagick xauth
  clang libclang-rt-14-dev ffmpeg desktop-file-utils appstream dpkg-dev file"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends $missing
