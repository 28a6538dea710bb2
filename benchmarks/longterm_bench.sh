#!/bin/bash
# A long-term display (date count-down with the weekday, network time every
# minute) left up for a simulated day on the fake clock, in a Release build
# of its own: resident memory after the first minute and at the end, and
# the most the clock text ever lagged behind the clock.
#   benchmarks/longterm_bench.sh [hours]     default 24
source "$(dirname "$0")/bench_build.sh"
build_bench longterm_bench
export QT_QPA_PLATFORM=offscreen
"$build/bin/longterm_bench" "${1:-24}" 2>/dev/null
