#!/usr/bin/env bash
# Builds the Debian package qor-caixa_<version>_amd64.deb into the source
# folder and checks it with lintian (fails on its errors).
#   scripts/package.sh              optimised build of the program alone, in build-package/
#   scripts/package.sh BUILD_DIR    packages an existing build tree (CI: the tested one)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR="${1:-build-package}"
# The install step packages what is built here, without building the rest (tests).
OPTIONS=(-DQOR_PACKAGE=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON)
if [ -z "${1:-}" ]; then
  OPTIONS+=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DQOR_BENCH=OFF -DBUILD_TESTING=OFF)
fi
cmake -S . -B "$BUILD_DIR" "${OPTIONS[@]}" >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target qor_caixa qor_caixa_package_files
rm -f "$BUILD_DIR"/qor-caixa_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD_DIR"/qor-caixa_*_amd64.deb)
cp "$deb" .
deb=$(basename "$deb")
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Installed-Size Depends Suggests
# Lintian refuses nothing as root but says so; its errors fail the build.
lintian --fail-on error --display-info "$deb"
