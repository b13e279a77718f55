#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/setup.sh"
build_native
build_win32

status=0
echo "== native tests"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs" || status=1

echo "== fuzzing (20 s a target)"
bash "$root/scripts/fuzz.sh" 20 || status=1

start_display force
start_printer
start_wine
trap 'stop_wine; stop_display; stop_printer' EXIT
echo "== win32 tests (Wine, display $DISPLAY, printer ${VT_PRINTER:-none}, PDFs in ${VT_PDF_DIR:-nowhere})"
ctest --test-dir "$build/win32" --output-on-failure -j "$jobs" || status=1
exit $status
