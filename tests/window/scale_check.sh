#!/usr/bin/env bash
# Renders the window at scale 1 and 2: the 2x picture must be twice the size
# and, blurred to leave only the layout and scaled back down, the 1x picture.
# Usage: scale_check.sh RENDER_SCREENSHOT_PROGRAM
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for scale in 1 2; do QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale "$1" "$work/x$scale.png" 2>/dev/null; done
[[ $(identify -format '%wx%h' "$work/x2.png") == 1456x1060 ]] || { echo "FAIL: 2x is not 1456x1060"; exit 1; }
convert "$work/x2.png" -filter box -resize 50% -blur 0x3 "$work/down.png"
convert "$work/x1.png" -blur 0x3 "$work/one.png"
# The same layout differs by about 0.013; one moved by two pixels by 0.017.
difference=$( (compare -metric RMSE "$work/one.png" "$work/down.png" null: 2>&1 || true) | sed 's/.*(\(.*\))/\1/')
awk -v d="$difference" 'BEGIN { exit !(d < 0.016) }' || { echo "FAIL: the layouts differ by $difference"; exit 1; }
