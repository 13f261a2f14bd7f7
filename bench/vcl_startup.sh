#!/usr/bin/env bash
# Start-up time and peak memory of a small GUI application, headless; the second figure
# comes from /usr/bin/time for one run of the same application, side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/bench/vcl_startup_bench
[[ -x $bench ]] || cmake --build --preset default --target vcl_startup_bench
"$bench" "${1:-21}"
if [[ -x /usr/bin/time ]]; then
  dir=$(mktemp -d)
  printf 'dump %s/first.json\nclick btnExit\n' "$dir" > "$dir/script.txt"
  VCL_BENCH_CHILD=1 SETUP_SCRIPT="$dir/script.txt" /usr/bin/time -v "$bench" 2> "$dir/time.txt"
  grep -E 'Elapsed|Maximum resident' "$dir/time.txt"
  rm -rf "$dir"
fi
