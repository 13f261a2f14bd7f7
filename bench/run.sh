#!/usr/bin/env bash
# Every benchmark, one after the other; figures are ratios or medians measured in one run.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== copying a medium-sized tree: CopyFileA against cp -r"
bench/copy_bench.sh || echo "(over its limit)"
echo "== registry: parse and save of a wineboot system.reg, one WriteSuiteString"
prefix=build/wine-prefixes/win64
if [[ ! -f $prefix/system.reg ]]; then
  tests/platform/win32/make_wine_prefixes.sh build/wine-prefixes
fi
build/bench/registry_bench "$prefix"
echo "== GUI start-up: first form shown and dumped, exit, peak memory"
bench/vcl_startup.sh
