#!/usr/bin/env bash
# Runs a command against print servers of its own: a cupsd with a cups-pdf
# queue as its default, and an empty cupsd with no printer at all. Both
# listen on Unix sockets only, keep every file under a temporary folder, and
# are stopped by PID afterwards, as is the cups-pdf settings file.
#
# The command sees:
#   CUPS_SERVER                      the socket of the server with the PDF queue
#   VANTORIKU_TEST_CUPS_QUEUE        that queue's name
#   VANTORIKU_TEST_PDF_DIR           where cups-pdf writes the printed PDFs
#   VANTORIKU_TEST_EMPTY_CUPS        the socket of the server without printers
set -euo pipefail

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

work=$(mktemp -d /tmp/vantoriku-cups.XXXXXX)
chmod 755 "$work"
queue="vantoriku-test-$$"
pdf_conf="/etc/cups/cups-pdf-$queue.conf"
pids=()

cleanup() {
    for pid in "${pids[@]}"; do
        "${as_root[@]}" kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        while "${as_root[@]}" kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
    done
    "${as_root[@]}" rm -f "$pdf_conf"
    "${as_root[@]}" rm -rf "$work"
}
trap cleanup EXIT

start_cupsd() { # name
    local root="$work/$1"
    mkdir -p "$root"/{spool,spool/tmp,cache,state,log,ppd}
    chmod 1777 "$root/spool/tmp"
    cat > "$root/cups-files.conf" <<CONF
ServerRoot $root
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
User lp
Group lp
SystemGroup root
Sandboxing Relaxed
CONF
    cat > "$root/cupsd.conf" <<CONF
Listen $root/cups.sock
Browsing Off
BrowseLocalProtocols none
DefaultAuthType None
LogLevel warn
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
    "${as_root[@]}" cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" &
    pids+=($!)
    for _ in $(seq 1 100); do
        [[ -S "$root/cups.sock" ]] && lpstat -h "$root/cups.sock" -r >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "with_cups: cupsd ($1) did not start; its log:" >&2
    cat "$root/log/error_log" >&2 || true
    return 1
}

start_cupsd pdf
start_cupsd empty
server="$work/pdf/cups.sock"

mkdir -p "$work/pdf-out" "$work/pdf-spool"
chmod 777 "$work/pdf-out" "$work/pdf-spool"
"${as_root[@]}" tee "$pdf_conf" >/dev/null <<CONF
Out $work/pdf-out
AnonDirName $work/pdf-out
Spool $work/pdf-spool
Grp root
UserUMask 0000
LogType 0
CONF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[[ -f "$ppd" ]] || { echo "with_cups: $ppd is missing (package printer-driver-cups-pdf)" >&2; exit 1; }
"${as_root[@]}" lpadmin -h "$server" -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd"
"${as_root[@]}" lpadmin -h "$server" -d "$queue"

unset LPDEST PRINTER
export CUPS_SERVER="$server"
export VANTORIKU_TEST_CUPS_QUEUE="$queue"
export VANTORIKU_TEST_PDF_DIR="$work/pdf-out"
export VANTORIKU_TEST_EMPTY_CUPS="$work/empty/cups.sock"
"$@"
