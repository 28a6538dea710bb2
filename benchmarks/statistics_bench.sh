#!/bin/bash
# Statistics figures with 10,000 recorded runs (a Release build of its own):
#  - opening the window: reading timesum, filling and showing the list
#  - exporting the lines to xlsx and to CSV (building the table included)
# Each as min, median and max over 10 runs, on an Xvfb screen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target statistics_bench -j3 >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bin/statistics_bench" "${1:-10}" 2>/dev/null
