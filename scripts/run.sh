#!/usr/bin/env bash
# Installs what is missing, builds the program folder and starts Vantorel under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/setup.sh"
build_native
build_win32
layout_program
# The program prints to Wine's default printer: a machine without any gets a PDF printer.
start_run_printer || echo "No printer added (see above): the program will find none to print on." >&2
if [ -z "${DISPLAY:-}" ]; then
  start_display
  echo "No DISPLAY: started a virtual display $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)"
fi
cd "$build/program"
exec wine Vantorel.exe "$@"
