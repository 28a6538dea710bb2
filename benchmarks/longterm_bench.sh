#!/bin/bash
# A long-term display (date count-down with the weekday, network time every
# minute) left up for a simulated day on the fake clock, in a Release build
# of its own: resident memory after the first minute and at the end, and
# the most the clock text ever lagged behind the clock.
#   benchmarks/longterm_bench.sh [hours]     default 24
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench-longterm}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target longterm_bench -j3 >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_MEDIA_BACKEND
export QT_QPA_PLATFORM=offscreen
"$build/bin/longterm_bench" "${1:-24}" 2>/dev/null
