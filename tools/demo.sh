#!/bin/sh
# Briefcast against briefcast-localwx on this machine: the bundled sample
# METARs (stamped with the time of the start), both status forms and a live
# data feed with KBOS_ATIS on the air with information DELTA. No network is
# needed. The demo keeps its own settings and atis.txt under BUILD/demo, away
# from the controller's own. Closing the app stops the server.
set -eu
build=${1:-build}
mkdir -p "$build/demo/config/Briefcast" "$build/demo/wine/drive_c/Program Files/Kovoddddd"
demo=$(cd "$build/demo" && pwd)
conf="$demo/config/Briefcast/Briefcast.conf"
[ -f "$conf" ] || printf '[Settings]\nICAO=KBOS\n' >"$conf"

address="$demo/status-url"
rm -f "$address"
"$build/bin/briefcast-localwx" --metars "$(dirname "$0")/localwx/sample-metars.txt" --restamp \
  --online KBOS=D >"$address" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM HUP
while [ ! -s "$address" ]; do
  kill -0 "$server" 2>/dev/null || { echo "demo: the weather server did not start" >&2; exit 1; }
  sleep 0.1
done
echo "demo: weather server at $(head -n 1 "$address"); try KBOS, KSEA, KJFK, KLAX or KORD"
BRIEFCAST_STATUS_URL=$(head -n 1 "$address") XDG_CONFIG_HOME="$demo/config" \
  WINEPREFIX="$demo/wine" "$build/bin/briefcast"
