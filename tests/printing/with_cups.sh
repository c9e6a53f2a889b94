#!/usr/bin/env bash
# Runs a command against print servers of its own, as whoever runs it, root or not: ippeveprinter,
# the printer simulator that comes with CUPS, as letter_5mm.conf describes it, keeping every
# document it receives; and a cupsd on a Unix socket whose default queue is a driverless (IPP
# Everywhere) queue on that printer. Everything lives in one folder under TMPDIR. A watcher in a
# session of its own stops both servers and removes the folder once this script has ended, however
# it ends. The command sees CUPS_SERVER (the socket), VANTORIKU_TEST_CUPS_QUEUE,
# VANTORIKU_TEST_CUPS_ROOT (the folder; printed/ holds what the printer received) and a HOME of its
# own there. A command that only lists tests runs as it is.
set -euo pipefail
[[ " $* " == *" --gtest_list_tests "* ]] && exec "$@"
PATH=$PATH:/usr/sbin:/sbin # cupsd, lpadmin and ippeveprinter, which a user's PATH may lack
root=$(mktemp -d "${TMPDIR:-/tmp}/vantoriku-cups.XXXXXX") queue=vantoriku-test
mkdir -p "$root"/{spool/tmp,cache,state,log,printed,home}
user=$(id -un) group=$(id -gn)
# cupsd runs its filters as lp when root, and lp must reach the folder.
[[ $(id -u) -ne 0 ]] || { chmod 755 "$root" && chmod 1777 "$root/spool/tmp" && user=lp group=lp; }
printf '%s\n' "ServerRoot $root" "RequestRoot $root/spool" "TempDir $root/spool/tmp" "CacheDir $root/cache" \
    "StateDir $root/state" "ErrorLog $root/log/error_log" "AccessLog $root/log/access_log" \
    "PageLog $root/log/page_log" "User $user" "Group $group" "SystemGroup $(id -gn)" "Sandboxing Relaxed" \
    >"$root/cups-files.conf"
printf '%s\n' "Listen $root/cups.sock" "Browsing Off" "DefaultAuthType None" "<Location />" "Order allow,deny" \
    "Allow all" "</Location>" >"$root/cupsd.conf"
# The printer, on a free port: another run may take the one tried first. It needs a D-Bus system bus
# for its DNS-SD client, even with announcing off: a private one does.
dbus-daemon --session --address="unix:path=$root/bus" --nofork </dev/null &>"$root/log/bus_log" &
bus=$!
for _ in $(seq 100); do [[ -S $root/bus ]] && break; sleep 0.05; done
for _ in $(seq 20); do
    port=$((20000 + RANDOM % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue # taken
    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$root/bus" ippeveprinter -p "$port" -n localhost -r off -k -d "$root/printed" -a "$(dirname "$0")/letter_5mm.conf" "Vantoriku Test" \
        </dev/null &>"$root/log/printer_log" &
    printer=$!
    # Until it listens, or has died.
    for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || ! kill -0 $printer 2>/dev/null && break; sleep 0.05; done
    kill -0 $printer 2>/dev/null && break
done
# shellcheck disable=SC2016 # expanded by the watcher
setsid bash -c 'cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf" & tail --pid="$2" -s 0.1 -f /dev/null
    kill $! $3; wait; rm -rf "$1"' watcher "$root" $$ "$printer $bus" </dev/null &>/dev/null &
for _ in $(seq 100); do [[ $(lpstat -h "$root/cups.sock" -r 2>/dev/null) == "scheduler is running" ]] && break; sleep 0.05; done
lpadmin -h "$root/cups.sock" -p "$queue" -E -v "ipp://localhost:$port/ipp/print" -m everywhere
lpadmin -h "$root/cups.sock" -d "$queue"
unset LPDEST PRINTER
HOME=$root/home CUPS_SERVER=$root/cups.sock VANTORIKU_TEST_CUPS_QUEUE=$queue VANTORIKU_TEST_CUPS_ROOT=$root "$@"
