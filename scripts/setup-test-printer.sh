#!/usr/bin/env bash
# Sets up a real print queue for the end-to-end print test: CUPS with a "Generic PDF" printer
# writing to a file, as the default printer. Needs root and the cups packages.
# Prints the path of the file the queue writes.
set -euo pipefail
out_dir=/tmp/calvetra-print
mkdir -p "$out_dir"
chmod 1777 "$out_dir"
conf=/etc/cups/cups-files.conf
running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
if ! grep -q '^FileDevice Yes' "$conf" 2>/dev/null; then
  echo 'FileDevice Yes' >> "$conf"
  # A scheduler started by the package's installation has not read the new setting.
  if running; then
    pkill -x cupsd || true
    for _ in $(seq 50); do running || break; sleep 0.1; done
  fi
fi
if ! running; then
  mkdir -p /run/cups
  setsid /usr/sbin/cupsd -f >/dev/null 2>&1 < /dev/null &
  for _ in $(seq 100); do running && break; sleep 0.1; done
fi
lpadmin -p GENPDF -E -v "file:$out_dir/output.pdf" -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd
lpadmin -d GENPDF
echo "$out_dir/output.pdf"
