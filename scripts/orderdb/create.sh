#!/usr/bin/env bash
# Creates an order database file in-process (no server needed) and loads
# the schema, the demo rows and the demo users into it.
#   scripts/orderdb/create.sh PATH/quelvora.bd
# Refuses to overwrite an existing file. Run as root where a Firebird server
# is installed, it hands the file to the server's user so the server can
# open it too.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
target="${1:?usage: create.sh PATH/quelvora.bd}"
if [ -e "$target" ]; then
  echo "create.sh: $target already exists" >&2
  exit 1
fi
mkdir -p "$(dirname "$target")"
target="$(cd "$(dirname "$target")" && pwd)/$(basename "$target")"
quoted="${target//\'/\'\'}"
{
  echo "SET SQL DIALECT 3;"
  # The scripts are UTF-8; the server stores WIN1252.
  echo "SET NAMES UTF8;"
  echo "CREATE DATABASE '$quoted' USER 'SYSDBA' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252;"
  cat "$here/schema.sql" "$here/demo.sql" "$here/demo-users.sql"
  echo "COMMIT;"
} | isql-fb -q -b || {
  rm -f "$target" # never leave a half-loaded database behind
  exit 1
}
if [ "$(id -u)" -eq 0 ] && id firebird >/dev/null 2>&1; then
  chown firebird:firebird "$target"
fi
