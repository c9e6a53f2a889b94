#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop needs: the
# files in their places, a valid desktop entry and AppStream data, the installed
# program starting; then builds the .deb and has lintian look for errors.
# Usage: install_check.sh BUILD_DIR
set -uo pipefail
build=$(realpath "$1")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# Runs one step quietly; when it fails, says which, with all that its tool said.
step() { "${@:2}" >"$stage/said" 2>&1 || { echo "FAILED: $1; $2 said:" && sed 's/^/  | /' "$stage/said" && exit 1; }; }
step "the install into a staging folder" env DESTDIR="$stage" cmake --install "$build" --prefix /usr
cd "$stage/usr" || exit 1
step "an installed file is missing" ls bin/vantoriku share/vantoriku/help.html \
    share/icons/hicolor/{16x16,32x32}/apps/vantoriku.png share/icons/hicolor/scalable/apps/vantoriku.svg \
    share/doc/vantoriku/{copyright,changelog.gz} share/man/man1/vantoriku.1.gz share/man/ja/man1/vantoriku.1.gz
step "the desktop entry is not valid" desktop-file-validate share/applications/org.vantoriku.vantoriku.desktop
step "the AppStream data is not valid, or the validator has something to say" bash -c \
    'appstreamcli validate --no-net --pedantic "$1" | tee /dev/stderr | grep -qx "✔ Validation was successful."' - \
    share/metainfo/org.vantoriku.vantoriku.metainfo.xml
step "the installed program ended within 2 s" bash -c 'QT_QPA_PLATFORM=offscreen timeout 2 bin/vantoriku; [[ $? -eq 124 ]]'
step "no .deb was built" bash -c 'cd "$1" && cpack --config "$2/CPackConfig.cmake" -B "$1/deb"' - "$stage" "$build"
step "lintian reports errors in the .deb" bash -c 'lintian "$1"/deb/*.deb | tee "$1/lintian"; ! grep -q "^E:" "$1/lintian"' - "$stage"
echo "installed, validated and packaged"
