#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop needs:
# the files in their places, the desktop entry and AppStream data valid, the
# installed program starting; then builds the .deb and has lintian check it.
# Usage: install_check.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
root="$stage/usr"
for file in bin/vantoriku share/vantoriku/help.html \
            share/applications/org.vantoriku.Vantoriku.desktop \
            share/metainfo/org.vantoriku.Vantoriku.metainfo.xml \
            share/icons/hicolor/16x16/apps/vantoriku.png share/icons/hicolor/32x32/apps/vantoriku.png \
            share/icons/hicolor/scalable/apps/vantoriku.svg \
            share/doc/vantoriku/copyright share/doc/vantoriku/changelog.gz share/man/man1/vantoriku.1.gz; do
    [[ -f "$root/$file" ]] || fail "not installed: $file"
done

desktop-file-validate "$root/share/applications/org.vantoriku.Vantoriku.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/share/metainfo/org.vantoriku.Vantoriku.metainfo.xml" >/dev/null ||
    fail "AppStream metainfo"

# The installed program starts and keeps running until it is told to stop.
QT_QPA_PLATFORM=offscreen "$root/bin/vantoriku" 2>/dev/null &
pid=$!
sleep 2
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid" 2>/dev/null || true
else
    fail "the installed program did not keep running"
fi

(cd "$stage" && cpack --config "$build/CPackConfig.cmake" -B "$stage/deb" >/dev/null)
deb=$(ls "$stage"/deb/*.deb)
lintian_out=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "lintian on $(basename "$deb"):"
echo "${lintian_out:-  (nothing to report)}"
if grep -q '^E:' <<<"$lintian_out"; then
    fail "lintian reports errors"
fi

[[ $failures -eq 0 ]] || exit 1
echo "installed, validated and packaged"
