#!/usr/bin/env bash
# Creates the fresh 64-bit and 32-bit Wine prefixes the registry interoperability tests copy,
# once per test run; without Wine it does nothing and the tests skip.
set -euo pipefail

out=${1:?usage: make_wine_prefixes.sh OUTPUT_DIR}
if ! command -v wine >/dev/null 2>&1; then
  echo "wine is not installed; no prefixes made" >&2
  exit 0
fi

unset DISPLAY WAYLAND_DISPLAY
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start=$(date +%s.%N)
mkdir -p "$out"

make_prefix() {
  local arch=$1 dir="$out/$1"
  rm -rf "$dir"
  WINEPREFIX="$dir" WINEARCH=$arch wine wineboot -i >/dev/null 2>&1
  WINEPREFIX="$dir" wineserver -w
  test -s "$dir/system.reg" && test -s "$dir/user.reg"
}

make_prefix win64 &
pid64=$!
make_prefix win32 &
pid32=$!
wait $pid64
wait $pid32
awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "wine prefixes ready in %.1f s\n", e - s }'
