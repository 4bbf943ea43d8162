#!/usr/bin/env bash
# Configures and builds into build/ (or $QOR_BUILD_DIR). Extra args go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${QOR_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${QOR_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
