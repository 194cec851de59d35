# A private CUPS daemon (own configuration, own socket) whose default
# destination is a PDF printer, for the end-to-end tests that print. Source it
# after lib.sh; call cups_start, then cups_wait_pdf N for the N-th PDF. The
# EXIT trap stops the daemon and then runs lib.sh's clean-up.

CUPS_CONF=$(cd "$(dirname "${BASH_SOURCE[0]}")/cups" && pwd)

cups_skip() { echo "SKIP: $E2E_NAME: $*"; E2E_OK=1; exit 0; }

CUPS_DIR=
CUPSD_PID=
PDF_CONF=

cups_cleanup() {
  if [ -n "$CUPSD_PID" ]; then kill "$CUPSD_PID" 2>/dev/null || true; wait "$CUPSD_PID" 2>/dev/null || true; fi
  [ -n "$PDF_CONF" ] && rm -f "$PDF_CONF"
  if [ -n "$CUPS_DIR" ] && [ -d "$CUPS_DIR" ]; then
    [ "$E2E_OK" != 1 ] && cp -r "$CUPS_DIR/log" "$E2E_OUT/cups-log" 2>/dev/null || true
    rm -rf "$CUPS_DIR"
  fi
  e2e_cleanup
}

# Skips the test (with a reason) where the machine cannot run such a daemon.
cups_require() {
  local tool
  for tool in cupsd lpadmin lpstat pdftotext pdftoppm pdfinfo "$@"; do
    command -v "$tool" >/dev/null 2>&1 || cups_skip "$tool is not installed"
  done
  [ -x /usr/lib/cups/backend/cups-pdf ] || cups_skip "printer-driver-cups-pdf is not installed"
  # cupsd runs the cups-pdf backend as root only when cupsd itself runs as root.
  [ "$(id -u)" = 0 ] || cups_skip "needs root to run a CUPS daemon with the cups-pdf backend"
  CUPS_PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -f "$CUPS_PPD" ] || cups_skip "no cups-pdf PPD at $CUPS_PPD"
}

cups_start() {
  CUPS_DIR=$(mktemp -d /tmp/tarvex-cups.XXXXXX)
  chmod 755 "$CUPS_DIR"
  QUEUE=tarvexe2e$$
  # cups-pdf reads its settings from /etc/cups only; a file named after this
  # queue's device URI applies to this queue alone and is removed afterwards.
  PDF_CONF=/etc/cups/cups-pdf-$QUEUE.conf
  trap cups_cleanup EXIT
  # Stopped from outside (a timeout, Ctrl+C): still clean up on the way out.
  trap 'exit 143' TERM
  trap 'exit 130' INT

  mkdir -p "$CUPS_DIR"/{etc/ppd,spool/tmp,cache,run,log,pdf,pdf-spool,home}
  chmod 755 "$CUPS_DIR"/{etc,log,pdf}
  sed "s|@CUPS_DIR@|$CUPS_DIR|g" "$CUPS_CONF/cups-files.conf" >"$CUPS_DIR/etc/cups-files.conf"
  sed "s|@CUPS_DIR@|$CUPS_DIR|g" "$CUPS_CONF/cupsd.conf" >"$CUPS_DIR/etc/cupsd.conf"
  sed "s|@CUPS_DIR@|$CUPS_DIR|g" "$CUPS_CONF/cups-pdf.conf" >"$PDF_CONF"

  export CUPS_SERVER=$CUPS_DIR/cups.sock
  # No lpoptions of this machine's users may choose another default.
  export HOME=$CUPS_DIR/home

  cupsd -f -c "$CUPS_DIR/etc/cupsd.conf" -s "$CUPS_DIR/etc/cups-files.conf" >"$CUPS_DIR/log/cupsd.out" 2>&1 &
  CUPSD_PID=$!
  e2e_until 10 cups_running || fail "the CUPS daemon did not start"
  # The pdftocairo renderer keeps the text of the page as text in the PDF.
  timeout 30 lpadmin -p "$QUEUE" -E -v "cups-pdf:/$QUEUE" -P "$CUPS_PPD" -o pdftops-renderer-default=pdftocairo 2>/dev/null \
    || fail "could not add the PDF printer"
  timeout 30 lpadmin -d "$QUEUE" 2>/dev/null || fail "could not make the PDF printer the default"
  [ "$(timeout 5 lpstat -d)" = "system default destination: $QUEUE" ] || fail "default destination: $(lpstat -d)"
}

cups_running() { timeout 5 lpstat -r 2>/dev/null | grep -q "is running"; }

# Waits until the n-th PDF is complete in the output folder; prints its path.
cups_pdf() { local f; f=$(ls -1tr "$CUPS_DIR"/pdf/*.pdf 2>/dev/null | sed -n "${1}p"); [ -n "$f" ] && pdfinfo "$f" >/dev/null 2>&1 && echo "$f"; }
cups_wait_pdf() { e2e_until 60 cups_pdf "$1"; }
