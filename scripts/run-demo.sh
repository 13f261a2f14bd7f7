#!/usr/bin/env bash
# Starts Setup on the demo machine; the wizard itself arrives with the wizard frame.
set -euo pipefail
cd "$(dirname "$0")/.."
demo=build/demo
if [[ ! -d $demo/machine ]]; then
  build/tools/make-machine "$demo/machine" --profile winxp
fi
if [[ -x build/setup ]]; then
  SETUP_MACHINE=$demo/machine exec build/setup
fi
echo "The demo machine is ready at $demo/machine; the wizard is not built yet."
