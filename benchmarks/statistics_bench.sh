#!/bin/bash
# Statistics figures with 10,000 recorded runs (a Release build of its own):
#  - opening the window: reading timesum, filling and showing the list
#  - exporting the lines to xlsx and to CSV (building the table included)
# Each as min, median and max over 10 runs, on an Xvfb screen.
source "$(dirname "$0")/bench_build.sh"
build_bench statistics_bench
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bin/statistics_bench" "${1:-10}" 2>/dev/null
