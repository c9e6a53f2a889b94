#!/usr/bin/env bash
# Starts the real program on an X display, chooses ファイル → 終了 with the
# mouse and keyboard as a user would, and checks that it ends with status 0.
# Usage (needs DISPLAY, e.g. under xvfb-run): quit_from_menu.sh PROGRAM
set -uo pipefail
program=$1
# A sanitizer build reports leaks at exit; system libraries' own are listed here.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/.." && pwd)/lsan.supp:print_suppressions=0"

QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
pid=$!
window=""
for _ in $(seq 1 400); do # up to 20 s on a busy machine
    window=$(xdotool search --pid "$pid" --name '^Vantoriku$' 2>/dev/null | head -n1)
    [[ -n "$window" ]] && break
    sleep 0.05
done
if [[ -z "$window" ]]; then
    echo "FAIL: the window did not appear"
    kill "$pid"
    exit 1
fi
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 25)) $((Y + 8)) click 1 # the ファイル menu
sleep 0.3
xdotool key Up Return # its last item, 終了

for _ in $(seq 1 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        status=$?
        echo "the program ended with status $status"
        exit "$status"
    fi
    sleep 0.05
done
echo "FAIL: still running after 終了"
kill "$pid"
exit 1
