#!/usr/bin/env bash
# Starts Setup from the demo medium on the demo machine under build/demo/. With a display
# the wizard opens for a person; without one it walks the main road from a bundled script
# and leaves a picture of every page in build/demo/screens/.
set -euo pipefail
cd "$(dirname "$0")/.."

demo=build/demo
if [[ ! -d $demo/machine ]]; then
  mkdir -p "$demo/medium"
  build/tools/make-machine "$demo/machine" --profile winxp --cd "$demo/medium"
fi
mkdir -p "$demo/medium"
ln -sfn "$PWD/build/setup" "$demo/medium/SETUP.EXE"

export SETUP_MACHINE=$PWD/$demo/machine
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  exec "$demo/medium/SETUP.EXE"
fi

rm -rf "$demo/screens"
mkdir -p "$demo/screens"
status=0
SETUP_SCRIPT=scripts/demo-road.txt "$demo/medium/SETUP.EXE" || status=$?
echo "Pictures of the pages: $demo/screens/"
ls "$demo/screens"
echo "Choices on the last page shown:"
sed -n 's/.*"choices":\({[^}]*}\).*/\1/p' "$demo/screens/state.json" | tr ',' '\n' | sed 's/^/  /'
exit "$status"
