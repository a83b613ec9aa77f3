#!/bin/sh
# Installs what is missing, builds everything with warnings as errors, bakes the data and runs every
# test; then builds the whole test suite again with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails its test) in build-asan/ and runs it too.
set -e
cd "$(dirname "$0")/.."
sh tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_WERROR=ON
cmake --build build -j 2
ctest --test-dir build --output-on-failure -j 2
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_WERROR=ON -DZT_SANITIZE=ON \
    -DZT_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-asan -j 2
ctest --test-dir build-asan --output-on-failure -j 2
