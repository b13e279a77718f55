#!/usr/bin/env bash
# Installs what is missing, builds the program folder and starts Vantorel under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/setup.sh"
build_native
build_win32
layout_program
if [ -z "${DISPLAY:-}" ]; then
  start_display
  echo "No DISPLAY: started a virtual display $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)"
fi
cd "$build/program"
exec wine Vantorel.exe "$@"
