#!/usr/bin/env bash
# Renders the window at scale 1 and 2 and checks that the 2x picture is the
# 1x picture at twice the pixels: the same size doubled, and, blurred to
# leave only the layout, the same picture once scaled back down.
# Usage: scale_check.sh RENDER_SCREENSHOT_PROGRAM
set -euo pipefail
render=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 "$render" "$work/x1.png" 2>/dev/null
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 "$render" "$work/x2.png" 2>/dev/null

read -r w1 h1 < <(identify -format '%w %h\n' "$work/x1.png")
read -r w2 h2 < <(identify -format '%w %h\n' "$work/x2.png")
if [[ $w2 -ne $((2 * w1)) || $h2 -ne $((2 * h1)) ]]; then
    echo "FAIL: 2x picture is ${w2}x${h2}, expected $((2 * w1))x$((2 * h1))"
    exit 1
fi

convert "$work/x2.png" -filter box -resize 50% -blur 0x3 "$work/down.png"
convert "$work/x1.png" -blur 0x3 "$work/one.png"
# A layout moved by two pixels scores about 0.017; the same layout about 0.013.
difference=$( (compare -metric RMSE "$work/one.png" "$work/down.png" null: 2>&1 || true) | sed 's/.*(\(.*\))/\1/')
echo "window ${w1}x${h1} and ${w2}x${h2}; layout difference $difference"
awk -v d="$difference" 'BEGIN { exit !(d < 0.016) }' || { echo "FAIL: layouts differ"; exit 1; }
