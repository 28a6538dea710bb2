#!/bin/bash
# The saved plans with 2,000 plans stored, under Xvfb (a Release build of its
# own): opening the plan panel, saving one more plan, moving one, deleting
# one and opening the plan submenu, each timed from the command to its end
# (database, list, submenu rebuild). Goal: each under 100 ms.
source "$(dirname "$0")/bench_build.sh"
plans=${1:-2000}
runs=${2:-20}
build_bench plans_bench
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bin/plans_bench" "$plans" "$runs" 2>/dev/null |
  while read -r name n median max; do
    echo "$name with $plans plans: ${n#n=} runs, median ${median#median_ms=} ms, max ${max#max_ms=} ms (goal under 100 ms)"
  done
