#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only when something is missing,
# so that `make run` and `make test` on a fresh machine need nothing else.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkgconf bc time xvfb xauth
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev nlohmann-json3-dev
  fonts-liberation fonts-dejavu-core
  wine wine64 wine32:i386 liblnk-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "deps: installing ${missing[*]}" >&2
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# The 32-bit loader gives a 64-bit prefix its complete 32-bit registry view.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
