#!/bin/bash
# The live clock as the audience sees it: how long after each whole second
# of the real-time clock the digits change on the screen (an Xvfb screen of
# 1920x1080, stamped by benchmarks/screen_probe), for the program showing the
# live clock of a long-term plan and for the floor program, one after the
# other; also the program's CPU and memory while it shows the clock.
#   benchmarks/screen_clock_bench.sh [seconds]     default 60
source "$(dirname "$0")/screen_common.sh"
seconds=${1:-60}

prepare_program live live
start "$program"
pid=$started
sleep 3
cpu0=$(cpu_seconds "$pid")
ours=$("$probe" clock "$seconds" | grep after_second_ms)
cpu1=$(cpu_seconds "$pid")
memory=$(rss_mb "$pid")
stop "$pid"

start "$floor" live
sleep 2
theirs=$("$probe" clock "$seconds" | grep after_second_ms)
stop "$started"

compare "live clock: digit change after the whole second (ms, over $seconds s)" "${ours#* }" "${theirs#* }"
awk -v a="$cpu0" -v b="$cpu1" -v s="$seconds" -v m="$memory" \
  'BEGIN { printf "program while showing the clock: %.2f %% of one core, %s MB resident\n", 100 * (b - a) / s, m }'
