#!/usr/bin/env bash
# The program folder the run command lays out holds the executable without
# its symbols (under 4 MB); the build tree keeps them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
build=$1  # the build folder that holds win32/ and native/
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
: > "$dir/base.mdb"  # the database is not what this checks
layout_program "$dir"
size=$(stat -c %s "$dir/Vantorel.exe")
echo "Vantorel.exe: $size bytes"
[ "$size" -lt 4000000 ] || { echo "FAIL: the executable is 4 MB or more"; exit 1; }
if i686-w64-mingw32-objdump -h "$dir/Vantorel.exe" | grep -q '\.debug_'; then
  echo "FAIL: the executable carries debug sections"; exit 1
fi
i686-w64-mingw32-objdump -f "$dir/Vantorel.exe" | grep -q 'pei-i386' || { echo "FAIL: not a 32-bit Windows executable"; exit 1; }
# The build tree keeps its symbols.
i686-w64-mingw32-objdump -h "$build/win32/src/app/Vantorel.exe" | grep -q '\.debug_info' ||
  { echo "FAIL: the built executable lost its debug information"; exit 1; }
echo ok
