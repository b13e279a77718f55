#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/setup.sh"
trap 'stop_wine; stop_display; stop_printer' EXIT
# The printer first: a run that cannot print stops here, before it builds, and says why.
start_printer || exit 1
build_native
build_win32

status=0
echo "== native tests"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs" || status=1

echo "== fuzzing (20 s a target)"
bash "$root/scripts/fuzz.sh" 20 || status=1

# The Windows tests under US and then Indonesian regional settings, whatever
# the caller's. Wine reads them from LC_ALL when its services start, so each
# gets a start of its own; each prints into a folder of its own.
start_display force
pdf_dir=$VT_PDF_DIR
failed=()
for settings in en_US.UTF-8 id_ID.UTF-8; do
  stop_wine
  export VT_PDF_DIR=$pdf_dir/$settings
  pdf_queue_folder "$VT_PRINTER" "$VT_PDF_DIR"
  echo "== win32 tests under LC_ALL=$settings (Wine, display $DISPLAY, printer $VT_PRINTER, PDFs in $VT_PDF_DIR)"
  if ! (export LC_ALL=$settings LANG=$settings; unset LANGUAGE
        start_wine
        ctest --test-dir "$build/win32" --output-on-failure -j "$jobs"); then
    echo "== win32 tests FAILED under LC_ALL=$settings"
    failed+=("$settings")
  fi
done
stop_wine
if [ ${#failed[@]} -gt 0 ]; then
  echo "== win32 tests failed under: ${failed[*]}"
  status=1
fi
exit $status
