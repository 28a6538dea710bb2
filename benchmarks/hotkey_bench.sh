#!/bin/bash
# Hotkey press to the first changed frame on the display, under Xvfb
# (a Release build of its own). 50 presses of each measured hotkey:
#  - pause: Ctrl+Alt+P while counting -> the pause button repainted
#  - start: Ctrl+Alt+S when ready -> the start button repainted greyed; this
#    figure includes the count set-up of every start
# Presses go through XTEST on a connection of their own, so the figures hold
# the whole road: X server, key grab, event filter, command, repaint.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
presses=${1:-50}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target hotkey_bench -j3 >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_MEDIA_BACKEND
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bin/hotkey_bench" "$presses" 2>/dev/null |
  while read -r name n median max; do
    note="goal under 50 ms"
    [ "$name" = start ] && note="includes the count set-up of every start"
    echo "hotkey $name: ${n#n=} presses, median ${median#median_ms=} ms, max ${max#max_ms=} ms ($note)"
  done
