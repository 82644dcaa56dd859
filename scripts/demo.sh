#!/usr/bin/env bash
# Installs what is missing, builds the demonstration program (Release) and runs
# it: on screen when a display is there, otherwise headless into a PNG file.
#   scripts/demo.sh            run it
#   scripts/demo.sh --png F    render headless into F
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${VX_DEMO_BUILD_DIR:-build/demo}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_SANITIZE=OFF -DVX_BENCH=OFF \
      -DVX_TESTS=OFF >/dev/null
cmake --build "$build" --target Project1
exe="$build/demo/Project1"
if [[ $# -ge 2 && $1 == --png ]]; then
  exec "$exe" --png "$2"
elif [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
  exec "$exe"
else
  echo "no display: rendering the demo headless into $build/demo.png"
  exec "$exe" --png "$build/demo.png"
fi
