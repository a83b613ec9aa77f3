#!/bin/sh
# Builds the browser game into build-web/ (index.html, zentaku.js, zentaku.wasm, zentaku.data, and
# node/zentaku-replay.js with its wrapper build-web/zentaku-replay), then serves the folder on
# 127.0.0.1 and prints the address. Installs what is missing first; the libraries are built once
# from Debian's source packages into a cache outside the repository (tools/web/libs.sh).
#
# usage: sh tools/web.sh [--no-serve] [--port N] [--help]
#   --no-serve  build only
#   --port N    serve on this port (default 8023)
#   ZT_WEB_DATA  a baked game root to take the data from (default: baked in build-web/host)
#   ZT_WEB_CACHE the libraries' cache (see tools/web/libs.sh)
# Exit status: 0 done (or served until stopped), 1 a step failed, 3 bad arguments.
set -e
cd "$(dirname "$0")/.."
serve=yes port=8023
while [ $# -gt 0 ]; do
  case "$1" in
    -h|--help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    --no-serve) serve=no ;;
    --port) shift; port=$1
      case "$port" in ''|*[!0-9]*) echo "web: --port needs a number" >&2; exit 3 ;; esac ;;
    *) echo "web: unknown argument $1 (try --help)" >&2; exit 3 ;;
  esac
  shift
done
start=$(date +%s)
say() { echo "web: [$(( $(date +%s) - start )) s] $*"; }

sh tools/setup.sh
LAUNCH="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
command -v ccache >/dev/null || LAUNCH=""

# The data: baked by a native build of the bake alone, in a root nobody plays in, unless
# ZT_WEB_DATA names a freshly baked root already (CI's tests' own root).
mkdir -p build-web
DATA=${ZT_WEB_DATA:-}
if [ -z "$DATA" ]; then
  say "baking the game's data (native build in build-web/host)"
  cmake -S . -B build-web/host -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_TESTS=OFF \
    -DZT_BENCH=OFF -DZT_FUZZ=OFF -DZT_SANITIZE=OFF $LAUNCH >build-web/host.log 2>&1 ||
    { cat build-web/host.log >&2; echo "web: the native configure failed" >&2; exit 1; }
  cmake --build build-web/host --target bake -j 2 >>build-web/host.log 2>&1 ||
    { tail -n 40 build-web/host.log >&2; echo "web: the bake failed" >&2; exit 1; }
  DATA=build-web/host/root
fi
[ -d "$DATA/pixel" ] || { echo "web: $DATA holds no baked pixel/ folder" >&2; exit 1; }
DATA=$(cd "$DATA" && pwd)

say "the libraries"
CACHE=$(sh tools/web/libs.sh | tail -n 1)
PREFIX=$CACHE/prefix
export EM_CACHE=$CACHE/em-cache EM_FROZEN_CACHE= NODE_PATH=/usr/share/nodejs
export PKG_CONFIG_LIBDIR=$PREFIX/lib/pkgconfig PKG_CONFIG_PATH=

say "building the game with emcc (build-web/cmake)"
emcmake cmake -S . -B build-web/cmake -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DZT_TESTS=OFF -DZT_BENCH=OFF -DZT_FUZZ=OFF -DZT_SANITIZE=OFF -DZT_WERROR=ON \
  -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_FIND_ROOT_PATH="$PREFIX" \
  -DZT_WEB_DATA="$DATA" -DZT_WEB_OUT="$PWD/build-web" $LAUNCH \
  >build-web/cmake.log 2>&1 || { cat build-web/cmake.log >&2; echo "web: configure failed" >&2; exit 1; }
cmake --build build-web/cmake -j 2 --target zentaku zentaku-replay >>build-web/cmake.log 2>&1 ||
  { grep -E "error|FAILED" build-web/cmake.log | head -n 40 >&2
    echo "web: the build failed; see build-web/cmake.log" >&2; exit 1; }

# The replay checker as a program, so that anything that runs the desktop's runs this one. This
# node takes fetch for the wasm file's address; without it, the file is read from the disk.
cat >build-web/zentaku-replay <<WRAP
#!/bin/sh
NODE_PATH=/usr/share/nodejs exec node --no-experimental-fetch "$PWD/build-web/node/zentaku-replay.js" "\$@"
WRAP
chmod +x build-web/zentaku-replay
say "built: $(du -k build-web/zentaku.wasm | cut -f1) KiB wasm, $(du -k build-web/zentaku.data | cut -f1) KiB data, $(du -k build-web/zentaku.js | cut -f1) KiB js"

[ $serve = no ] && exit 0
say "serving http://127.0.0.1:$port/ (Ctrl+C stops)"
exec python3 -m http.server --bind 127.0.0.1 --directory build-web "$port"
