#!/usr/bin/env bash
# Builds and runs the benchmarks: the portable ones natively (optimised, no
# sanitizers, against the SQLite the program ships), the Win32 ones under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/setup.sh"
configure_and_build bench -DVT_BENCH=ON -DCMAKE_BUILD_TYPE=Release
echo "== bench_db"
"$build/bench/bench/db/bench_db"
echo "== bench_json"
"$build/bench/bench/json/bench_json"
echo "== bench_xls"
"$build/bench/bench/xls/bench_xls"

build_win32
start_display force
start_wine
trap 'stop_wine; stop_display' EXIT
echo "== bench_ribbon"
wine "$build/win32/bench/ribbon/bench_ribbon.exe"
echo "== bench_register"
wine "$build/win32/bench/register/bench_register.exe"
echo "== bench_report"
VT_SOURCE_DIR=$root wine "$build/win32/bench/report/bench_report.exe"
echo "== bench_startup"
# The executable as the program folder has it (without its symbols).
mkdir -p "$build/bench-program"
i686-w64-mingw32-strip --strip-all -o "$build/bench-program/Vantorel.exe" "$build/win32/src/app/Vantorel.exe"
wine "$build/win32/bench/startup/bench_startup.exe" "$build/bench-program/Vantorel.exe" "$build/win32/bench/startup/empty_window.exe"
echo "== bench_customers"
wine "$build/win32/bench/customers/bench_customers.exe"
