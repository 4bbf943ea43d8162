#!/usr/bin/env bash
# Builds the benchmarks optimised (build-bench/) and runs them all.
#   scripts/bench.sh [benchmark-name-filter]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QOR_BUILD_DIR=build-bench QOR_BUILD_TYPE=Release
bash scripts/build.sh -DQOR_BENCH=ON
export TZ=America/Sao_Paulo QT_QPA_PLATFORM=offscreen
for b in $(find build-bench/bench -type f -executable -name 'bench_*' | sort); do
  case "$(basename "$b")" in *${1:-}*) echo "== $(basename "$b")"; "$b" ;; esac
done
