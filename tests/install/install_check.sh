#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop needs: the
# files in their places, a valid desktop entry and AppStream data, one version
# in the build, the Debian changelog and the AppStream releases, and the
# installed program starting. The Debian package is checked when it is built
# (lintian) and once installed (debian/tests).
# Usage: install_check.sh BUILD_DIR
set -uo pipefail
build=$(realpath "$1")
source=$(cd "$(dirname "$0")/../.." && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# Runs one step quietly; when it fails, says which, with all that its tool said.
step() { "${@:2}" >"$stage/said" 2>&1 || { echo "FAILED: $1; $2 said:" && sed 's/^/  | /' "$stage/said" && exit 1; }; }
step "the install into a staging folder" env DESTDIR="$stage" cmake --install "$build" --prefix /usr
cd "$stage/usr" || exit 1
step "an installed file is missing" ls bin/vantoriku share/vantoriku/help.html \
    share/icons/hicolor/{16x16,32x32}/apps/vantoriku.png share/icons/hicolor/scalable/apps/vantoriku.svg \
    share/man/man1/vantoriku.1 share/man/ja/man1/vantoriku.1
step "the desktop entry is not valid" desktop-file-validate share/applications/org.vantoriku.vantoriku.desktop
step "the AppStream data is not valid, or the validator has something to say" bash -c \
    'appstreamcli validate --no-net --pedantic "$1" | tee /dev/stderr | grep -qx "✔ Validation was successful."' - \
    share/metainfo/org.vantoriku.vantoriku.metainfo.xml
built=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
packaged=$(sed -n '1s/^vantoriku (\([^-)]*\).*/\1/p' "$source/debian/changelog")
released=$(grep -o -m1 '<release version="[^"]*"' share/metainfo/org.vantoriku.vantoriku.metainfo.xml | cut -d'"' -f2)
step "the versions differ: built $built, packaged $packaged (debian/changelog), released $released (metainfo)" \
    test -n "$built" -a "$built" = "$packaged" -a "$built" = "$released"
step "the installed program ended within 2 s" bash -c 'QT_QPA_PLATFORM=offscreen timeout 2 bin/vantoriku; [[ $? -eq 124 ]]'
echo "installed and validated"
