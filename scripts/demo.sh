#!/usr/bin/env bash
# Installs what is needed, builds the program, prepares a demonstration suite
# root and starts the program on it.
#   scripts/demo.sh                       root ~/quelvora-demo
#   QUELVORA_ROOT=/some/folder scripts/demo.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

BUILD_DIR="${QOR_BUILD_DIR:-build}"
# Same build folder and options as scripts/test.sh, so one build serves both.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${QOR_BUILD_TYPE:-Debug}" -DQOR_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target qor_caixa

export QUELVORA_ROOT="${QUELVORA_ROOT:-$HOME/quelvora-demo}"
mkdir -p "$QUELVORA_ROOT"
# The site set-up (folders, data files, every local table; data files of an
# earlier version brought up to date) and the demo rows, through the
# program's own table engine; tables that already hold rows are kept, so a
# second run keeps what the first one recorded.
"$BUILD_DIR/app/qor_caixa" --seed-demo
# The order database with its demo orders, users and workstations.
if [ -f scripts/orderdb/create.sh ] && [ ! -e "$QUELVORA_ROOT/dados/quelvora.bd" ]; then
  bash scripts/orderdb/create.sh "$QUELVORA_ROOT/dados/quelvora.bd"
fi
echo "Suite root: $QUELVORA_ROOT"

if [ -z "${DISPLAY:-}" ]; then
  echo "No display (\$DISPLAY is empty). To run without a screen, under a virtual one:" >&2
  echo "  xvfb-run -s '-screen 0 1024x768x24' bash scripts/demo.sh" >&2
  exit 1
fi
exec "$BUILD_DIR/app/qor_caixa"
