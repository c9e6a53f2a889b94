#!/usr/bin/env bash
# Runs a command against a print server of its own: a cupsd with a cups-pdf queue as its default,
# listening on a Unix socket, with all its files in a temporary folder but one: cups-pdf reads its
# settings from /etc/cups only. A watcher in a session of its own stops the server and removes the
# folder and that file once this script has ended, however it ends: a run that is killed leaves
# nothing behind either. The command sees CUPS_SERVER (the socket),
# VANTORIKU_TEST_CUPS_QUEUE, VANTORIKU_TEST_CUPS_ROOT (the folder; pdf/ holds what was printed) and
# a HOME of its own there. A command that only lists tests
# runs as it is; without root or sudo, the command is skipped.
set -euo pipefail
[[ " $* " == *" --gtest_list_tests "* ]] && exec "$@"
if [[ $(id -u) -ne 0 ]] && ! sudo -n true 2>/dev/null; then
    # As in a package build: say why on a line of its own; 77 is a skip to CTest.
    echo "skipped: the printing tests need root or sudo without a password, as cups-pdf reads its settings from /etc/cups only"
    exit 77
fi
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
root=$(mktemp -d /tmp/vantoriku-cups.XXXXXX) queue=vantoriku-test-$$
settings=/etc/cups/cups-pdf-$queue.conf
mkdir -p "$root"/{spool/tmp,cache,state,log,pdf,pdf-spool,home/.cups}
chmod 755 "$root" && chmod 1777 "$root/spool/tmp" "$root/pdf" "$root/pdf-spool"
printf '%s\n' "ServerRoot $root" "RequestRoot $root/spool" "TempDir $root/spool/tmp" "CacheDir $root/cache" \
    "StateDir $root/state" "ErrorLog $root/log/error_log" "AccessLog $root/log/access_log" "PageLog $root/log/page_log" \
    "User lp" "Group lp" "SystemGroup root" "Sandboxing Relaxed" >"$root/cups-files.conf"
printf '%s\n' "Listen $root/cups.sock" "Browsing Off" "DefaultAuthType None" "<Location />" "Order allow,deny" \
    "Allow all" "</Location>" >"$root/cupsd.conf"
# shellcheck disable=SC2016 # expanded by the watcher
"${sudo[@]}" setsid bash -c 'cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf" & tail --pid="$3" -s 0.1 -f /dev/null
    kill $!; wait; rm -rf "$1" "$2"' watcher "$root" "$settings" $$ </dev/null &>/dev/null &
printf '%s\n' "Out $root/pdf" "AnonDirName $root/pdf" "Spool $root/pdf-spool" "Grp root" "UserUMask 0000" "LogType 0" |
    "${sudo[@]}" tee "$settings" >/dev/null
for _ in $(seq 100); do [[ $(lpstat -h "$root/cups.sock" -r) == "scheduler is running" ]] && break; sleep 0.05; done
"${sudo[@]}" lpadmin -h "$root/cups.sock" -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
"${sudo[@]}" lpadmin -h "$root/cups.sock" -d "$queue"
unset LPDEST PRINTER
HOME=$root/home CUPS_SERVER=$root/cups.sock VANTORIKU_TEST_CUPS_QUEUE=$queue VANTORIKU_TEST_CUPS_ROOT=$root "$@"
