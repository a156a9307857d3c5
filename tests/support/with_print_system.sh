#!/bin/sh
# Runs a command beside a private CUPS scheduler whose default printer is a PDF printer that
# writes every job into one file, as a desktop with a default printer has it. The scheduler has
# its own configuration, socket, spool and logs in a temporary folder, and the command reaches it
# through CUPS_SERVER; nothing of the machine's own printing system is used or touched.
#
# The command learns of it through:
#   CUPS_SERVER                    the scheduler's socket
#   DORVANTIX_TEST_CUPS_SERVER     the same, for tests that hand it on to a program
#   DORVANTIX_TEST_PRINTER         the default printer's name
#   DORVANTIX_TEST_PRINT_OUTPUT    the PDF file the printer writes
#   DORVANTIX_TEST_PAGE_LOG        the scheduler's page log: one line per finished job,
#                                  "PRINTER USER JOB-ID [TIME] total PAGES BILLING HOST JOB-NAME
#                                  MEDIA SIDES"
# Without cupsd, the PDF printer's driver (cups, cups-filters) or root, it says why and exits
# with 77 (skipped).
set -u
skip() {
    echo "with_print_system: $*; skipped" >&2
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "a private CUPS scheduler needs root"
for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null 2>&1 || PATH="$PATH:/usr/sbin"
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is missing (cups-daemon, cups-client)"
done
ppd=lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd
[ -x /usr/lib/cups/filter/pdftopdf ] || skip "the PDF printer's filters are missing (cups)"

root=$(mktemp -d /tmp/dorvantix-cups-XXXXXX)
chmod 755 "$root"
mkdir -p "$root/spool/tmp" "$root/cache" "$root/state" "$root/log" "$root/out"
chmod 1777 "$root/out"
socket="$root/cups.sock"
cat >"$root/cupsd.conf" <<EOF
Listen $socket
LogLevel info
ErrorPolicy abort-job
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
EOF
cat >"$root/cups-files.conf" <<EOF
FileDevice Yes
ServerRoot $root
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
Printcap $root/printcap
EOF
cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" >"$root/log/cupsd.out" 2>&1 &
scheduler=$!
stop() {
    kill "$scheduler" 2>/dev/null
    wait "$scheduler" 2>/dev/null
    rm -rf "$root"
}
export CUPS_SERVER="$socket"
ready=no
for _ in $(seq 100); do
    if [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; then
        ready=yes
        break
    fi
    sleep 0.1
done
printer=dorvantix-test-pdf
if [ "$ready" != yes ] ||
    ! lpadmin -p "$printer" -E -v "file://$root/out/job.pdf" -m "$ppd" 2>/dev/null ||
    ! lpadmin -d "$printer"; then
    echo "with_print_system: the private CUPS scheduler did not start:" >&2
    cat "$root/log/cupsd.out" "$root/log/error_log" >&2 2>/dev/null
    stop
    exit 1
fi
export DORVANTIX_TEST_CUPS_SERVER="$socket" DORVANTIX_TEST_PRINTER="$printer"
export DORVANTIX_TEST_PRINT_OUTPUT="$root/out/job.pdf" DORVANTIX_TEST_PAGE_LOG="$root/log/page_log"
"$@"
status=$?
stop
exit $status
