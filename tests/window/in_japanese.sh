#!/usr/bin/env bash
# Runs a command as on a Japanese desktop: in the ja_JP.UTF-8 locale (built
# into a private folder where the system lacks it) and, given a face, with
# that Japanese face as the only one installed.
# Usage: in_japanese.sh [--only-face FAMILY] COMMAND...
set -euo pipefail
[[ " $* " == *" --gtest_list_tests "* ]] && exec "$@"
scratch=$(mktemp -d /tmp/vantoriku-japanese.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
if [[ ${1:-} == --only-face ]]; then
    family=$2
    shift 2
    mkdir "$scratch/fonts"
    fc-list -f '%{file}\n' ":family=$family" | xargs -r readlink -f | sort -u | xargs -r ln -s -t "$scratch/fonts"
    [[ -n $(ls "$scratch/fonts") ]] || { echo "the face $family is not installed" >&2; exit 1; }
    # The system's rules (hinting, substitutes) with only that face's files.
    printf '%s\n' '<?xml version="1.0"?>' '<fontconfig>' "<dir>$scratch/fonts</dir>" \
        "<cachedir>$scratch/cache</cachedir>" '<include ignore_missing="yes">/etc/fonts/conf.d</include>' \
        '</fontconfig>' >"$scratch/fonts.conf"
    export FONTCONFIG_FILE=$scratch/fonts.conf
fi
if ! locale -a | grep -qix 'ja_JP.utf8'; then
    localedef -i ja_JP -f UTF-8 "$scratch/ja_JP.UTF-8" ||
        { echo "cannot build the ja_JP.UTF-8 locale (is the locales package installed?)" >&2; exit 1; }
    export LOCPATH=$scratch
fi
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$@"
