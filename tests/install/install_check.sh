#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop needs: the
# files in their places, a valid desktop entry and AppStream data, the installed
# program starting; then builds the .deb and has lintian look for errors.
# Usage: install_check.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
cd "$stage/usr"
ls bin/vantoriku share/vantoriku/help.html share/icons/hicolor/{16x16,32x32}/apps/vantoriku.png \
    share/icons/hicolor/scalable/apps/vantoriku.svg share/doc/vantoriku/{copyright,changelog.gz} \
    share/man/man1/vantoriku.1.gz >/dev/null
desktop-file-validate share/applications/org.vantoriku.Vantoriku.desktop
appstreamcli validate --no-net share/metainfo/org.vantoriku.Vantoriku.metainfo.xml >/dev/null
QT_QPA_PLATFORM=offscreen timeout 2 bin/vantoriku 2>/dev/null || [[ $? -eq 124 ]] # still running after 2 s
cd "$stage" && cpack --config "$build/CPackConfig.cmake" -B "$stage/deb" >/dev/null
lintian "$stage"/deb/*.deb 2>&1 | tee "$stage/lintian.txt"
! grep -q '^E:' "$stage/lintian.txt"
echo "installed, validated and packaged"
