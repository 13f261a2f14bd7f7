#!/usr/bin/env bash
# Times the installation's tree copy (FindFirst, MkDir, CopyFileA) against cp -r of the
# same generated tree on the same disk; fails when ours takes over 1.05 times as long.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
work=${1:-$build/copy-bench}
runs=${RUNS:-7}
limit=${LIMIT:-1.05}
bin=$build/bench/copy_bench

(cd "$root" && cmake --build --preset default --target copy_bench >/dev/null)
mkdir -p "$work"
if [ ! -f "$work/src.done" ]; then
  rm -rf "$work/src"
  "$bin" generate "$work/src"
  touch "$work/src.done"
fi
echo "tree: $(du -sh --apparent-size "$work/src" | cut -f1), $(find "$work/src" -type f | wc -l) files"

# The page cache cannot be dropped here, so both copies start from a warm cache.
find "$work/src" -type f -exec cat {} + >/dev/null

# Seconds one copy into a fresh destination takes; earlier copies' writeback is flushed
# first so it is not charged to the next one.
time_copy() {
  rm -rf "$work/dst"
  sync
  local start end
  start=$(date +%s.%N)
  case $1 in
    cp) cp -r "$work/src" "$work/dst" ;;
    ours) "$bin" copy "$work/dst" ;;
  esac
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

"$bin" machine "$work/src" "$work/dst"
trap 'rm -rf "$work/dst.machine"' EXIT

cp_times=()
our_times=()
for ((i = 0; i < runs; i++)); do
  # Alternate which goes first so neither always inherits the other's state.
  if ((i % 2 == 0)); then
    cp_times+=("$(time_copy cp)"); our_times+=("$(time_copy ours)")
  else
    our_times+=("$(time_copy ours)"); cp_times+=("$(time_copy cp)")
  fi
done
diff -r "$work/src" "$work/dst" >/dev/null || { echo "copy differs from its source" >&2; exit 1; }
rm -rf "$work/dst"

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
cp_median=$(median "${cp_times[@]}")
our_median=$(median "${our_times[@]}")
ratio=$(echo "scale=3; $our_median / $cp_median" | bc)
echo "cp -r    : ${cp_times[*]}  median $cp_median s"
echo "CopyFileA: ${our_times[*]}  median $our_median s"
echo "ratio    : $ratio (limit $limit)"
[ "$(echo "$ratio <= $limit" | bc)" = 1 ]
