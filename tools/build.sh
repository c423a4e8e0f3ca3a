#!/bin/sh
# Configures and builds the project in ./build (or the folder given as $1, with extra CMake
# options after it).
set -eu
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
[ $# -gt 0 ] && shift
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
