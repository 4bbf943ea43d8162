#!/usr/bin/env bash
# Runs the order-database tests once more, against a Firebird server on
# 127.0.0.1 instead of in-process. Starts the server (installing it when
# needed, root only) and expects the build of scripts/test.sh in build/
# (or $QOR_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/firebird-server.sh
BUILD_DIR="${QOR_BUILD_DIR:-build}"
QOR_FB_SERVER=127.0.0.1 ctest --test-dir "$BUILD_DIR" --output-on-failure -L orderdb
