#!/bin/bash
# A throw-away database server for the tests: `start DIR` makes a cluster in
# DIR (as an unprivileged user when run as root), listening on 127.0.0.1 only
# on a free port, and writes the port to DIR/port; `stop DIR` stops it and
# removes DIR. The superuser is sprzetnik_test with the password in DIR/password.
set -eu
action=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bin/initdb" ] || { echo "initdb not found (install postgresql-15)"; exit 1; }

as_owner() {
  if [ "$(id -u)" = 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi
}

case $action in
start)
  if [ -f "$dir/port" ] && as_owner "$bin/pg_ctl" -D "$dir/data" status >/dev/null 2>&1; then
    exit 0
  fi
  rm -rf "$dir"
  mkdir -p "$dir/data" "$dir/socket"
  echo "sprzetnik-test-$$-$RANDOM" > "$dir/password"
  [ "$(id -u)" = 0 ] && chown -R nobody "$dir"
  chmod 700 "$dir/data"
  as_owner "$bin/initdb" -D "$dir/data" -U sprzetnik_test --pwfile="$dir/password" \
    --auth=scram-sha-256 --encoding=UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log"; exit 1; }
  for attempt in $(seq 1 20); do
    port=$(( 20000 + RANDOM % 20000 ))
    (echo >"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    if as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
         -o "-c listen_addresses=127.0.0.1 -p $port -k $dir/socket -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
         start >/dev/null 2>&1; then
      echo "$port" > "$dir/port"
      exit 0
    fi
  done
  cat "$dir/server.log"; exit 1
  ;;
stop)
  if [ -d "$dir/data" ]; then
    as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  ;;
esac
