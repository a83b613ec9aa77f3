#!/bin/sh
# Installs what is missing and checks that every C and C++ file in git is formatted as
# .clang-format says (clang-format 14; the files that differ are listed and fail the run). Then
# builds everything with warnings as errors, bakes the data and runs every test; then builds the
# whole test suite again with clang under AddressSanitizer and UndefinedBehaviorSanitizer (any
# report fails its test) in build-asan/ and runs it too, leaving out the tests of data, level
# design and packaging, which the sanitizers add nothing to. Last, both builds play every
# committed replay and must agree on the state of every frame. Then the browser build
# (tools/web.sh; its libraries come from a cache outside the repository, built on the first run)
# verifies every committed replay under node, agrees with the gcc build on every frame's state,
# and plays in headless chromium (tests/web/browser.sh).
#
# Every option the run relies on is given on every configure: a build folder that tools/play.sh
# (or anyone) configured differently is set back, and ctest fails when it finds no tests.
set -e
cd "$(dirname "$0")/.."
sh tools/setup.sh

# Formatting first: it takes seconds, the builds take many minutes.
command -v clang-format-14 >/dev/null || { echo "check: clang-format-14 is missing" >&2; exit 1; }
unformatted=$(git ls-files '*.c' '*.cc' '*.cpp' '*.h' '*.hpp' | while read -r f; do
  clang-format-14 --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"
done)
if [ -n "$unformatted" ]; then
  echo "check: these files differ from what clang-format-14 makes of them:" >&2
  echo "$unformatted" | sed 's/^/  /' >&2
  exit 1
fi
echo "check: every C and C++ file is formatted"

start=$(date +%s)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZT_TESTS=ON -DZT_BENCH=ON -DZT_WERROR=ON -DZT_SANITIZE=OFF -DZT_FUZZ=OFF
cmake --build build -j 2
ctest --test-dir build --output-on-failure --no-tests=error -j 2
echo "check: gcc build and tests took $(( $(date +%s) - start )) s"

start=$(date +%s)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZT_TESTS=ON -DZT_BENCH=OFF -DZT_WERROR=ON -DZT_SANITIZE=ON -DZT_FUZZ=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-asan -j 2
ctest --test-dir build-asan --output-on-failure --no-tests=error -j 2 -LE 'data|design|package'
echo "check: sanitizer build and tests took $(( $(date +%s) - start )) s"

start=$(date +%s)
sh tools/hashes.sh build/root/zentaku-replay build-asan/root/zentaku-replay build/test-root \
    tests/replay/data/*.rep
echo "check: the hash streams took $(( $(date +%s) - start )) s"

start=$(date +%s)
ZT_WEB_DATA=build/test-root sh tools/web.sh --no-serve
build-web/zentaku-replay --check tests/replay/data build/test-root
sh tools/hashes.sh build/root/zentaku-replay build-web/zentaku-replay build/test-root \
    tests/replay/data/*.rep
sh tests/web/browser.sh build-web
echo "check: the browser build and its tests took $(( $(date +%s) - start )) s"
