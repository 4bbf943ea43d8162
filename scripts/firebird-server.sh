#!/usr/bin/env bash
# Starts a Firebird 3 server on 127.0.0.1:3050 by hand (CI and containers
# have no systemd), with SYSDBA's password set to the one the till connects
# with. Idempotent: a running server with that password is left alone.
#   firebird-server.sh [start]   stop   restart   freeze   thaw
# stop ends a server this script started (its guard's pid file). freeze
# stops its process (SIGSTOP), as a hung machine leaves it: connections stay
# open and nothing answers; thaw lets it go on. Needs root.
set -euo pipefail

PASSWORD=quorbelin
PORT=3050
PIDFILE=/var/run/firebird3.0/fbguard.pid
ACTION="${1:-start}"

if [ ! -x /usr/sbin/fbguard ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # Its post-install cannot start the service without systemd and says so.
  apt-get install -y -qq --no-install-recommends firebird3.0-server >/dev/null || true
  [ -x /usr/sbin/fbguard ] || { echo "firebird3.0-server did not install" >&2; exit 1; }
fi

listening() { (exec 3<>"/dev/tcp/127.0.0.1/$PORT") 2>/dev/null; }

server_pid() {
  [ -f "$PIDFILE" ] || { echo "no $PIDFILE: no server started by this script" >&2; exit 1; }
  cat "$PIDFILE"
}

stop() {
  # The file holds the server's pid; its guard would start it again, so the
  # guard (its parent) is ended, and ends the server with it.
  server="$(server_pid)"
  guard="$(ps -o ppid= -p "$server" | tr -d ' ')"
  [ -n "$guard" ] && [ "$(ps -o comm= -p "$guard")" = fbguard ] ||
    { echo "no Firebird guard above pid $server" >&2; exit 1; }
  kill "$guard"
  for _ in $(seq 1 60); do
    kill -0 "$server" 2>/dev/null || listening || break
    sleep 0.5
  done
  kill -0 "$server" 2>/dev/null && { echo "the Firebird server did not stop" >&2; exit 1; }
  rm -f "$PIDFILE"
  echo "Firebird server stopped"
}

case "$ACTION" in
  start) ;;
  stop) stop; exit 0 ;;
  restart) stop ;;
  freeze) kill -STOP "$(server_pid)"; exit 0 ;;
  thaw) kill -CONT "$(server_pid)"; exit 0 ;;
  *) echo "usage: firebird-server.sh [start|stop|restart|freeze|thaw]" >&2; exit 2 ;;
esac

if ! listening; then
  mkdir -p /var/run/firebird3.0
  chown firebird:firebird /var/run/firebird3.0
  # Embedded runs as root may have left lock files the server could not open.
  [ -d /tmp/firebird ] && chown -R firebird:firebird /tmp/firebird
  su -s /bin/sh firebird -c "/usr/sbin/fbguard -daemon -forever -pidfile $PIDFILE"
  for _ in $(seq 1 60); do
    listening && break
    sleep 0.5
  done
  listening || { echo "the Firebird server did not start on port $PORT" >&2; exit 1; }
fi

if ! gsec -user sysdba -password "$PASSWORD" -display sysdba >/dev/null 2>&1; then
  # The package set a random password and kept it here.
  # shellcheck disable=SC1091
  . /etc/firebird/3.0/SYSDBA.password
  gsec -user sysdba -password "$ISC_PASSWORD" -modify sysdba -pw "$PASSWORD"
  gsec -user sysdba -password "$PASSWORD" -display sysdba >/dev/null
fi
echo "Firebird server listening on 127.0.0.1:$PORT"
