#!/bin/sh
# Installs what is missing, builds everything with warnings as errors, bakes the data and runs every test.
set -e
cd "$(dirname "$0")/.."
sh tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_WERROR=ON
cmake --build build -j 2
ctest --test-dir build --output-on-failure -j 2
