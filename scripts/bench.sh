#!/usr/bin/env bash
# Builds the benchmarks (native, optimised, no sanitizers) and runs them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/setup.sh"
configure_and_build bench -DVT_BENCH=ON -DCMAKE_BUILD_TYPE=Release
for b in "$build"/bench/bench/*/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" "$@"
done
