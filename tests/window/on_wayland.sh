#!/usr/bin/env bash
# Runs a command as a client of a Wayland compositor of its own: weston on a
# private socket, with its X11 backend, whose window gives the compositor a
# seat with a keyboard and a pointer. Run it under an X server (xvfb-run).
# Usage: on_wayland.sh COMMAND...
set -euo pipefail
runtime=$(mktemp -d /tmp/vantoriku-wayland.XXXXXX) # private, as XDG_RUNTIME_DIR must be
XDG_RUNTIME_DIR=$runtime weston --backend=x11-backend.so --socket=wayland-test --idle-time=0 --width=1024 --height=768 \
    --no-config >"$runtime.log" 2>&1 &
weston=$!
trap 'kill $weston; wait $weston || true; rm -rf "$runtime" "$runtime.log"' EXIT
for _ in $(seq 100); do [[ -S $runtime/wayland-test ]] && break; sleep 0.1; done
[[ -S $runtime/wayland-test ]] || { cat "$runtime.log"; exit 1; }
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland "$@"
