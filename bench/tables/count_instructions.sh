#!/usr/bin/env bash
# Instructions per operation, engine next to plain sqlite3 (callgrind), for a
# machine whose timings are too noisy. Usage: count_instructions.sh BUILD_DIR [N]
set -euo pipefail
BIN="$1/bench/tables/bench_tables"
N="${2:-200}"
printf '%-8s %14s %14s %7s\n' "" "engine Ir" "sqlite3 Ir" "ratio"
for op in open last append walk delete purge; do
  declare -A ir=()
  for side in engine sqlite; do
    fn="${op}$(tr '[:lower:]' '[:upper:]' <<<"${side:0:1}")${side:1}"
    out=$(mktemp)
    QOR_BENCH_ITERATIONS="$N" valgrind --tool=callgrind --callgrind-out-file=/dev/null \
      "--toggle-collect=*${fn}*" "$BIN" --benchmark_filter="^${op}/${side}(/|\$)" >/dev/null 2>"$out"
    ir[$side]=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out")
    rm -f "$out"
  done
  awk -v op="$op" -v e="${ir[engine]}" -v s="${ir[sqlite]}" -v n="$N" \
    'BEGIN { printf "%-8s %14.0f %14.0f %7.2f\n", op, e / n, s / n, e / s }'
done
