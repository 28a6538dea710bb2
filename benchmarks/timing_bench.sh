#!/bin/bash
# Count engine figures (a Release build of its own):
#  - digit-change latency over a real run of the default plan (60 s, or the
#    first argument) on an Xvfb screen of 1920x1080: median and maximum time
#    from the count crossing a whole second to the paint of the new digits,
#    and whether any second was skipped or shown twice
#  - CPU used while counting
#  - drift: the shown count against the monotonic clock at the end of the
#    real run, and over a simulated 10 min run whose timers fire late
source "$(dirname "$0")/bench_build.sh"
seconds=${1:-60}
build_bench timing_bench
bench=$build/bin/timing_bench

echo "== real run of $seconds s under Xvfb (1920x1080) =="
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" "$bench" real "$seconds" 2>/dev/null
echo "== simulated 10 min run =="
QT_QPA_PLATFORM=offscreen "$bench" fake 600 2>/dev/null
