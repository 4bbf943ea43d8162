#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libsqlite3-dev sqlite3
  pxlib-dev
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
  libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  poppler-utils xvfb x11-apps imagemagick xauth
  librsvg2-bin lintian
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
