#!/usr/bin/env bash
# Builds the fuzz targets (clang's libFuzzer, native, with the sanitizers) and
# runs each for the given number of seconds (default 20): bash scripts/fuzz.sh 600
# New inputs go to build/fuzz/corpus-*, never into the seeds in fuzz/json/corpus;
# a failing input is saved as build/fuzz/crash-* (or leak-*, timeout-*).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
seconds=${1:-20}
cmake -S "$root" -B "$build/fuzz" -DVT_DEPS_DIR="$build/deps" -DVT_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build/fuzz" -j "$jobs" --target fuzz_json_parse fuzz_json_eval
status=0
for target in parse eval; do
  corpus=$build/fuzz/corpus-$target
  mkdir -p "$corpus"
  echo "== fuzz_json_$target for ${seconds}s"
  if [ $target = eval ]; then dict=$root/fuzz/json/eval.dict; else dict=$root/fuzz/json/json.dict; fi
  "$build/fuzz/fuzz/json/fuzz_json_$target" "$corpus" "$root/fuzz/json/corpus/$target" -dict="$dict" \
    -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/fuzz/" -print_final_stats=1 2>"$build/fuzz/$target.log" || status=1
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|ERROR|SUMMARY|Done' "$build/fuzz/$target.log" || true
done
exit $status
