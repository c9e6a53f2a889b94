#!/usr/bin/env bash
# Runs a command against a print server of its own: a cupsd with a cups-pdf queue as its default,
# listening on a Unix socket, with all its files in a temporary folder; the server, the folder and
# the cups-pdf settings file are gone afterwards. The command sees CUPS_SERVER (the socket),
# VANTORIKU_TEST_CUPS_QUEUE, VANTORIKU_TEST_CUPS_ROOT (the folder; pdf/ holds what was printed) and
# a HOME of its own there, whose .cups/lpoptions it may write. A command that only lists tests
# runs as it is.
set -euo pipefail
[[ " $* " == *" --gtest_list_tests "* ]] && exec "$@"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
root=$(mktemp -d /tmp/vantoriku-cups.XXXXXX) queue=vantoriku-test-$$ pid=""
trap '[[ -z $pid ]] || "${sudo[@]}" kill $pid; wait; "${sudo[@]}" rm -rf "$root" "/etc/cups/cups-pdf-$queue.conf"' EXIT
mkdir -p "$root"/{spool/tmp,cache,state,log,pdf,pdf-spool,home/.cups}
chmod 755 "$root" && chmod 1777 "$root/spool/tmp" "$root/pdf" "$root/pdf-spool"
printf '%s\n' "ServerRoot $root" "RequestRoot $root/spool" "TempDir $root/spool/tmp" "CacheDir $root/cache" \
    "StateDir $root/state" "ErrorLog $root/log/error_log" "AccessLog $root/log/access_log" "PageLog $root/log/page_log" \
    "User lp" "Group lp" "SystemGroup root" "Sandboxing Relaxed" >"$root/cups-files.conf"
printf '%s\n' "Listen $root/cups.sock" "Browsing Off" "DefaultAuthType None" "<Location />" "Order allow,deny" \
    "Allow all" "</Location>" >"$root/cupsd.conf"
"${sudo[@]}" cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" &
pid=$!
for _ in $(seq 100); do lpstat -h "$root/cups.sock" -r &>/dev/null && break; sleep 0.05; done
printf '%s\n' "Out $root/pdf" "AnonDirName $root/pdf" "Spool $root/pdf-spool" "Grp root" "UserUMask 0000" "LogType 0" |
    "${sudo[@]}" tee "/etc/cups/cups-pdf-$queue.conf" >/dev/null
"${sudo[@]}" lpadmin -h "$root/cups.sock" -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
"${sudo[@]}" lpadmin -h "$root/cups.sock" -d "$queue"
unset LPDEST PRINTER
HOME=$root/home CUPS_SERVER=$root/cups.sock VANTORIKU_TEST_CUPS_QUEUE=$queue VANTORIKU_TEST_CUPS_ROOT=$root "$@"
