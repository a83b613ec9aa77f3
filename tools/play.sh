#!/bin/sh
# Installs what is missing, builds the game, bakes its data and starts it.
set -e
cd "$(dirname "$0")/.."
sh tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_TESTS=OFF -DZT_BENCH=OFF
cmake --build build -j 2 --target zentaku bake
cd build/root && exec ./zentaku
