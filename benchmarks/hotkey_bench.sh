#!/bin/bash
# Hotkey press to the first changed frame on the display, under Xvfb
# (a Release build of its own). 50 presses of each measured hotkey:
#  - pause: Ctrl+Alt+P while counting -> the pause button repainted
#  - start: Ctrl+Alt+S when ready -> the start button repainted greyed; this
#    figure includes the count set-up of every start
# Presses go through XTEST on a connection of their own, so the figures hold
# the whole road: X server, key grab, event filter, command, repaint.
source "$(dirname "$0")/bench_build.sh"
presses=${1:-50}
build_bench hotkey_bench
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bin/hotkey_bench" "$presses" 2>/dev/null |
  while read -r name n median max; do
    note="goal under 50 ms"
    [ "$name" = start ] && note="includes the count set-up of every start"
    echo "hotkey $name: ${n#n=} presses, median ${median#median_ms=} ms, max ${max#max_ms=} ms ($note)"
  done
