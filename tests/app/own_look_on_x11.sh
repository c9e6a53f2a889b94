#!/usr/bin/env bash
# The real program on an X server: its window shows, titled Vantoriku and of
# the class vantoriku whatever the program's file is called, in the
# program's own look whatever style the desktop asks for: its light ground
# #F0F0F0 and the answer fields bordered in the program's grey #767676.
# Usage (under xvfb-run): own_look_on_x11.sh PROGRAM
set -uo pipefail
scratch=$(mktemp -d)
ln -s "$(realpath "$1")" "$scratch/drill" # the window's class stays vantoriku, as its desktop entry says
QT_QPA_PLATFORM=xcb QT_STYLE_OVERRIDE=Windows HOME=$scratch "$scratch/drill" >"$scratch/log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$scratch"' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vantoriku$' | head -n1)
[[ -n $window ]] || { echo "FAIL: no window titled Vantoriku"; cat "$scratch/log"; exit 1; }
xprop -id "$window" WM_CLASS | grep -q '"vantoriku"' || { echo "FAIL: the window's class is not vantoriku"; exit 1; }
# Of the 728 × 535 pixels, most are ground; forty fields of 73 or 81 by 18
# pixels have over 7000 pixels of border.
for _ in $(seq 20); do
    colours=$(import -window "$window" rgb:- 2>/dev/null | od -An -v -tx1 -w3)
    ground=$(grep -c '^ f0 f0 f0$' <<<"$colours") border=$(grep -c '^ 76 76 76$' <<<"$colours")
    [[ $ground -ge 250000 && $border -ge 7000 ]] && break
    sleep 0.2
done
[[ $ground -ge 250000 && $border -ge 7000 ]] ||
    { echo "FAIL: not in the program's own look: $ground pixels of ground #F0F0F0, $border of field border #767676"; exit 1; }
echo "the window shows in the program's own look"
