#!/bin/bash
# The saved plans with 2,000 plans stored, under Xvfb (a Release build of its
# own): opening the plan panel, saving one more plan, moving one, deleting
# one and opening the plan submenu, each timed from the command to its end
# (database, list, submenu rebuild). Goal: each under 100 ms.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
plans=${1:-2000}
runs=${2:-20}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target plans_bench -j3 >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_MEDIA_BACKEND
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bin/plans_bench" "$plans" "$runs" 2>/dev/null |
  while read -r name n median max; do
    echo "$name with $plans plans: ${n#n=} runs, median ${median#median_ms=} ms, max ${max#max_ms=} ms (goal under 100 ms)"
  done
