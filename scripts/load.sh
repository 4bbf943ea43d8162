#!/usr/bin/env bash
# Load test: STATIONS tills (default 8) on one Firebird server on
# 127.0.0.1, each taking PAYMENTS payments (default 1000) on orders they
# all share, while one more process per suite root plays the suite's other
# programs on its data folder. Then checks the tills, the orders and the
# sessions, prints throughput and save latencies, and a last line
# "N passed, M failed"; exit 0 only when nothing failed.
#   scripts/load.sh [STATIONS [PAYMENTS]]
# Starts the server as scripts/firebird-server.sh does (root); expects the
# build of scripts/test.sh in build/ (or $QOR_BUILD_DIR). Loopback only.
set -euo pipefail
cd "$(dirname "$0")/.."
STATIONS="${1:-8}"
PAYMENTS="${2:-1000}"
[[ "$STATIONS" =~ ^[1-9][0-9]?$ && "$PAYMENTS" =~ ^[1-9][0-9]{0,4}$ ]] || {
  echo "usage: load.sh [STATIONS 1-99 [PAYMENTS 1-99999]]" >&2
  exit 2
}
PROGRAM="${QOR_BUILD_DIR:-build}/tests/load/qor_load_station"
[ -x "$PROGRAM" ] || { echo "$PROGRAM is not built (scripts/test.sh builds it)" >&2; exit 2; }
LIMIT=3600           # seconds any one process may take
ORDERS="$PAYMENTS"   # every station pays at most once per order and kind
ORDER_STATION=07

bash scripts/firebird-server.sh >/dev/null
work="$(mktemp -d /tmp/qor-load.XXXXXX)"
chmod 755 "$work"
others=()
finish() {
  touch "$work/stop"
  for pid in "${others[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap finish EXIT

# Created in-process at one path, copied to the one the server opens: the
# copy is a new file for the lock manager, whose files root's run keeps.
bash scripts/orderdb/create.sh "$work/create/orders.bd"
cp "$work/create/orders.bd" "$work/orders.bd"
chown firebird:firebird "$work/orders.bd"
database="127.0.0.1:$work/orders.bd"
isql-fb -q -b -user SYSDBA -password quorbelin "$database" <<SQL
SET TERM ^;
EXECUTE BLOCK AS
DECLARE n INTEGER = 1;
BEGIN
  WHILE (n <= $ORDERS) DO BEGIN
    INSERT INTO PEDIDOS (ESTACAO, NPEDIDO, NOME, DATAPEDIDO, TIPOPEDIDO, PRECOTOTAL, PRECOFINAL, SINAL,
                         VALORRESTANTE, PAGO, LABORATORIO)
    VALUES ('$ORDER_STATION', :n, 'CLIENTE ' || :n, CURRENT_DATE, 'Pedido', 1000, 1000, 0, 1000, 'N', 'LOJA1');
    n = n + 1;
  END
END^
SET TERM ;^
COMMIT;
SQL

for i in $(seq 1 "$STATIONS"); do
  mkdir "$work/root$i"
  QUELVORA_ROOT="$work/root$i" "$PROGRAM" setup "$(printf %02d "$i")" >/dev/null
done

start=$(date +%s.%N)
for i in $(seq 1 "$STATIONS"); do
  QUELVORA_ROOT="$work/root$i" timeout "$LIMIT" "$PROGRAM" others "$work/stop" "$LIMIT" >"$work/others$i.log" 2>&1 &
  others+=($!)
done
stations=()
for i in $(seq 1 "$STATIONS"); do
  QUELVORA_ROOT="$work/root$i" timeout "$LIMIT" "$PROGRAM" station "$database" "$i" "$PAYMENTS" "$ORDERS" \
    "$ORDER_STATION" "$work/record$i.txt" >"$work/station$i.log" 2>&1 &
  stations+=($!)
done
for i in "${!stations[@]}"; do
  wait "${stations[$i]}" || { echo "FAIL: station $((i + 1)) exited with $?" >>"$work/station$((i + 1)).log"; }
done
end=$(date +%s.%N)
touch "$work/stop"
for i in "${!others[@]}"; do
  wait "${others[$i]}" || { echo "FAIL: other programs $((i + 1)) exited with $?" >>"$work/others$((i + 1)).log"; }
done
others=()
records=()
for i in $(seq 1 "$STATIONS"); do records+=("$work/record$i.txt"); done
"$PROGRAM" orders "$database" "$ORDER_STATION" "${records[@]}" >"$work/orders.log" 2>&1 ||
  echo "FAIL: the order check exited with $?" >>"$work/orders.log"

logs=("$work"/station*.log "$work"/others*.log "$work/orders.log")
grep -h -v -e '^ok: ' "${logs[@]}" || true
taken=$(cat "${records[@]}" | wc -l)
awk -v n="$taken" -v s="$start" -v e="$end" -v st="$STATIONS" \
  'BEGIN { printf "%d stations: %d payments in %.1f s, %.1f payments/s\n", st, n, e - s, n / (e - s) }'
passed=$(cat "${logs[@]}" | grep -c '^ok: ' || true)
failed=$(cat "${logs[@]}" | grep -c '^FAIL: ' || true)
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
