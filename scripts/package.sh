#!/usr/bin/env bash
# Builds everything and writes build/Vantorel.zip: the program folder as a
# Windows user gets it (Vantorel.exe, a fresh base.mdb, images/, temp/ with the
# report templates, panduan.pdf). Unpack it into a folder and start Vantorel.exe.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/setup.sh"
build_native
build_win32
make_package
echo "$build/Vantorel.zip"
