#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test (one ctest per test binary).
#   scripts/test.sh             normal build in build/
#   scripts/test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ "${1:-}" = "--sanitize" ]; then
  export QOR_BUILD_DIR=build-asan QOR_BUILD_TYPE=Debug
  bash scripts/build.sh -DQOR_SANITIZE=ON -DQOR_BENCH=OFF
  export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
else
  # Benchmarks are built by scripts/bench.sh; tests don't need optimised code.
  export QOR_BUILD_DIR=build QOR_BUILD_TYPE=Debug
  bash scripts/build.sh -DQOR_BENCH=OFF
fi
ctest --test-dir "$QOR_BUILD_DIR" --output-on-failure -j "$(nproc)"
