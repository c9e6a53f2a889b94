#!/usr/bin/env bash
# The real program on Wayland: its window maps and names the desktop entry as
# its app id, which docks and task switchers use for the icon and name.
# Usage (under on_wayland.sh): wayland_app_id.sh PROGRAM
set -uo pipefail
log=$(mktemp)
WAYLAND_DEBUG=1 "$1" 2>"$log" &
pid=$!
trap 'kill $pid; rm -f "$log"' EXIT
for _ in $(seq 100); do grep -q 'xdg_surface.*get_toplevel' "$log" && grep -q 'set_app_id' "$log" && break; sleep 0.1; done
grep -o 'set_app_id("[^"]*")' "$log" | tail -n1 | grep -Fx 'set_app_id("org.vantoriku.vantoriku")' ||
    { echo "FAIL: no toplevel with the app id org.vantoriku.vantoriku"; exit 1; }
