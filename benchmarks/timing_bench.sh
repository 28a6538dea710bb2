#!/bin/bash
# Count engine figures (a Release build of its own):
#  - digit-change latency over a real run of the default plan (60 s, or the
#    first argument) on an Xvfb screen of 1920x1080: median and maximum time
#    from the count crossing a whole second to the paint of the new digits,
#    and whether any second was skipped or shown twice
#  - CPU used while counting
#  - drift: the shown count against the monotonic clock at the end of the
#    real run, and over a simulated 10 min run whose timers fire late
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
seconds=${1:-60}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target timing_bench -j3 >/dev/null
bench=$build/bin/timing_bench
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_MEDIA_BACKEND

echo "== real run of $seconds s under Xvfb (1920x1080) =="
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" "$bench" real "$seconds" 2>/dev/null
echo "== simulated 10 min run =="
QT_QPA_PLATFORM=offscreen "$bench" fake 600 2>/dev/null
