#!/bin/sh
# Builds the browser game's libraries with emcc from Debian's source packages: libogg, libvorbis,
# SDL2, SDL2_image (PNG through its built-in decoder), SDL2_mixer (Ogg Vorbis through vorbisfile,
# nothing else), and zlib and libpng for the replay checker's picture export. Everything goes into
# a cache outside the repository, reused when present: the sources, a writable copy of
# emscripten's own library cache, and one install prefix with the static libraries and their
# CMake files. A library that built is not built again; a run after a failure goes on from there.
#
# usage: sh tools/web/libs.sh [--help]
#   ZT_WEB_CACHE  the cache folder (default ${XDG_CACHE_HOME:-~/.cache}/zentaku-web)
#   ZT_WEB_JOBS   parallel compile jobs (default 2)
# Prints the cache folder on its last line. Exit status: 0 built or already there, 1 a step failed.
set -e
case "$1" in
  -h|--help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
  "") ;;
  *) echo "libs.sh: unknown argument $1 (try --help)" >&2; exit 1 ;;
esac
CACHE=${ZT_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zentaku-web}
JOBS=${ZT_WEB_JOBS:-2}
PREFIX=$CACHE/prefix
mkdir -p "$CACHE"
CACHE=$(cd "$CACHE" && pwd)
PREFIX=$CACHE/prefix
LIBS="ogg vorbis sdl2 sdl2-image sdl2-mixer zlib png"

# emscripten's package keeps its library cache read-only; the game links against a copy.
export EM_CACHE=$CACHE/em-cache
export EM_FROZEN_CACHE=
export NODE_PATH=/usr/share/nodejs
if [ ! -f "$EM_CACHE/.zentaku-copied" ]; then
  echo "libs: copying emscripten's library cache to $EM_CACHE"
  rm -rf "$EM_CACHE"
  cp -a /usr/share/emscripten/cache "$EM_CACHE"
  touch "$EM_CACHE/.zentaku-copied"
fi
# Each library that built leaves a mark; a run after a failure goes on from the first without.
built() { [ -f "$PREFIX/.built-$1" ]; }
all=yes
for lib in $LIBS; do built "$lib" || all=no; done
if [ $all = yes ]; then
  echo "libs: reusing $PREFIX"
  echo "$CACHE"
  exit 0
fi

start=$(date +%s)
SRC=$CACHE/src
mkdir -p "$SRC"
step() { echo "libs: [$(( $(date +%s) - start )) s] $*"; }

# One source package, unpacked with Debian's patches applied; prints its folder.
unpack() {
  pkg=$1
  dir=$(ls -d "$SRC/$pkg"-[0-9]*/ 2>/dev/null | head -n 1)
  if [ -z "$dir" ]; then
    (cd "$SRC" && apt-get source -q "$pkg" >"$SRC/$pkg.log" 2>&1) || {
      echo "libs: apt-get source $pkg failed (is a deb-src line there? see $SRC/$pkg.log)" >&2
      exit 1
    }
    dir=$(ls -d "$SRC/$pkg"-[0-9]*/ | head -n 1)
  fi
  echo "${dir%/}"
}

# Configures, builds and installs one CMake project into the prefix, logging to the cache.
build() {
  name=$1 dir=$2
  shift 2
  if built "$name"; then step "$name is built already"; return 0; fi
  step "building $name"
  rm -rf "$CACHE/build/$name"
  if ! { emcmake cmake -S "$dir" -B "$CACHE/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$PREFIX" \
           -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_FIND_ROOT_PATH="$PREFIX" "$@" &&
         cmake --build "$CACHE/build/$name" -j "$JOBS" &&
         cmake --install "$CACHE/build/$name"; } >"$CACHE/$name.log" 2>&1; then
    tail -n 30 "$CACHE/$name.log" >&2
    echo "libs: $name failed; the whole log is $CACHE/$name.log" >&2
    exit 1
  fi
  touch "$PREFIX/.built-$name"
}

command -v emcmake >/dev/null || { echo "libs: emcmake is missing (run tools/setup.sh)" >&2; exit 1; }
step "unpacking the source packages into $SRC"
OGG=$(unpack libogg)
VORBIS=$(unpack libvorbis)
SDL=$(unpack libsdl2)
IMAGE=$(unpack libsdl2-image)
MIXER=$(unpack libsdl2-mixer)
ZLIB=$(unpack zlib)
PNG=$(unpack libpng1.6)

# Cross-compiling, libogg cannot run its size checks: wasm32 is ILP32.
build ogg "$OGG" -DINSTALL_DOCS=OFF \
  -DHAVE_INT16_SIZE=TRUE -DINT16_SIZE=2 -DHAVE_UINT16_SIZE=TRUE -DUINT16_SIZE=2 \
  -DHAVE_U_INT16_SIZE=TRUE -DU_INT16_SIZE=2 -DHAVE_INT32_SIZE=TRUE -DINT32_SIZE=4 \
  -DHAVE_UINT32_SIZE=TRUE -DUINT32_SIZE=4 -DHAVE_U_INT32_SIZE=TRUE -DU_INT32_SIZE=4 \
  -DHAVE_INT64_SIZE=TRUE -DINT64_SIZE=8 -DHAVE_SHORT_SIZE=TRUE -DSHORT_SIZE=2 \
  -DHAVE_INT_SIZE=TRUE -DINT_SIZE=4 -DHAVE_LONG_SIZE=TRUE -DLONG_SIZE=4 \
  -DHAVE_LONG_LONG_SIZE=TRUE -DLONG_LONG_SIZE=8
build vorbis "$VORBIS"
build sdl2 "$SDL" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF
build sdl2-image "$IMAGE" -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
  -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_PNG=ON -DSDL2IMAGE_PNG_SAVE=OFF \
  -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=OFF \
  -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF \
  -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_TIF=OFF \
  -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF \
  -DSDL2_DIR="$PREFIX/lib/cmake/SDL2"
build sdl2-mixer "$MIXER" -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VENDORED=OFF \
  -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
  -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_WAVPACK=OFF \
  -DSDL2MIXER_VORBIS=VORBISFILE -DSDL2MIXER_VORBIS_VORBISFILE_SHARED=OFF -DSDL2MIXER_WAVE=ON \
  -DSDL2_DIR="$PREFIX/lib/cmake/SDL2"
# zlib's CMake file wants a Windows resource that the Debian source leaves out: its few C files
# are compiled here directly.
if ! built zlib; then
  step "building zlib"
  rm -rf "$CACHE/build/zlib" && mkdir -p "$CACHE/build/zlib" "$PREFIX/include" "$PREFIX/lib/pkgconfig"
  (
    cd "$CACHE/build/zlib"
    cp "$ZLIB/zconf.h.in" zconf.h
    for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
             inftrees trees uncompr zutil; do
      emcc -O2 -I. -DHAVE_UNISTD_H -DHAVE_STDARG_H -c "$ZLIB/$f.c" -o "$f.o" || exit 1
    done
    emar rcs "$PREFIX/lib/libz.a" ./*.o
  ) >"$CACHE/zlib.log" 2>&1 || { tail -n 30 "$CACHE/zlib.log" >&2; echo "libs: zlib failed" >&2; exit 1; }
  cp "$ZLIB/zlib.h" "$PREFIX/include/" && cp "$ZLIB/zconf.h.in" "$PREFIX/include/zconf.h"
  printf '%s\n' "prefix=$PREFIX" "libdir=\${prefix}/lib" "includedir=\${prefix}/include" "" \
    "Name: zlib" "Description: zlib compression library" "Version: 1.2.13" \
    "Libs: -L\${libdir} -lz" "Cflags: -I\${includedir}" >"$PREFIX/lib/pkgconfig/zlib.pc"
  touch "$PREFIX/.built-zlib"
fi
build png "$PNG" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_ROOT="$PREFIX" -DZLIB_LIBRARY="$PREFIX/lib/libz.a" -DZLIB_INCLUDE_DIR="$PREFIX/include"
rm -rf "$CACHE/build"
step "libraries ready in $PREFIX"
echo "$CACHE"
