#!/usr/bin/env bash
# Runs a command against a print server of its own: a cupsd with a cups-pdf queue as its default,
# listening on a Unix socket, with all its files in a temporary folder, which goes with the server
# afterwards. cups-pdf reads its settings from /etc/cups only: the server sees a folder of its own
# there, in a mount namespace of its own, so that nothing is written outside the temporary folder
# and a run that is killed leaves nothing in /etc. The command sees CUPS_SERVER (the socket),
# VANTORIKU_TEST_CUPS_QUEUE, VANTORIKU_TEST_CUPS_ROOT (the folder; pdf/ holds what was printed) and
# a HOME of its own there, whose .cups/lpoptions it may write. A command that only lists tests
# runs as it is.
set -euo pipefail
[[ " $* " == *" --gtest_list_tests "* ]] && exec "$@"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
root=$(mktemp -d /tmp/vantoriku-cups.XXXXXX) queue=vantoriku-test-$$ pid=""
trap '[[ -z $pid ]] || "${sudo[@]}" kill $pid; wait; "${sudo[@]}" rm -rf "$root"' EXIT
mkdir -p "$root"/{etc,spool/tmp,cache,state,log,pdf,pdf-spool,home/.cups}
chmod 755 "$root" && chmod 1777 "$root/spool/tmp" "$root/pdf" "$root/pdf-spool"
printf '%s\n' "ServerRoot $root" "RequestRoot $root/spool" "TempDir $root/spool/tmp" "CacheDir $root/cache" \
    "StateDir $root/state" "ErrorLog $root/log/error_log" "AccessLog $root/log/access_log" "PageLog $root/log/page_log" \
    "User lp" "Group lp" "SystemGroup root" "Sandboxing Relaxed" >"$root/cups-files.conf"
printf '%s\n' "Listen $root/cups.sock" "Browsing Off" "DefaultAuthType None" "<Location />" "Order allow,deny" \
    "Allow all" "</Location>" >"$root/cupsd.conf"
printf '%s\n' "Out $root/pdf" "AnonDirName $root/pdf" "Spool $root/pdf-spool" "Grp root" "UserUMask 0000" "LogType 0" \
    >"$root/etc/cups-pdf-$queue.conf"
"${sudo[@]}" unshare --mount sh -c 'mount --bind "$1/etc" /etc/cups && exec cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf"' \
    sh "$root" &
pid=$!
for _ in $(seq 100); do [[ $(lpstat -h "$root/cups.sock" -r) == "scheduler is running" ]] && break; sleep 0.05; done
"${sudo[@]}" lpadmin -h "$root/cups.sock" -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
"${sudo[@]}" lpadmin -h "$root/cups.sock" -d "$queue"
unset LPDEST PRINTER
HOME=$root/home CUPS_SERVER=$root/cups.sock VANTORIKU_TEST_CUPS_QUEUE=$queue VANTORIKU_TEST_CUPS_ROOT=$root "$@"
