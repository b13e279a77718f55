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

start_display force
start_wine
echo "== win32 tests (Wine, display $DISPLAY, printer $VT_PRINTER, PDFs in $VT_PDF_DIR)"
ctest --test-dir "$build/win32" --output-on-failure -j "$jobs" || status=1
exit $status
