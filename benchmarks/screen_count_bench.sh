#!/bin/bash
# The count-down as the audience sees it (an Xvfb screen of 1920x1080,
# stamped by benchmarks/screen_probe): in each run the start hotkey
# Ctrl+Alt+S goes in through XTEST at a random phase of the second, then
#  - the first digit change after the press (one second of the count, plus
#    the delay of the set-up, the tick and the paint)
#  - how long after each whole second of the count its digits change
# for the program counting a ten-minute plan and for the floor program,
# which starts its count at the key press. Also the program's CPU while
# counting and its memory when ready (before the first start).
#   benchmarks/screen_count_bench.sh [runs] [seconds per run]   default 10 runs of 8 s
source "$(dirname "$0")/screen_common.sh"
runs=${1:-10}
seconds=${2:-8}

measure() {
  local first="" seconds_out="" maxima="" out i
  for i in $(seq "$runs"); do
    start "$@"
    sleep 2
    out=$("$probe" count "$seconds" ctrl+alt+s)
    stop "$started"
    first+=$(echo "$out" | sed -n 's/first_digit_change_after_key_ms //p')$'\n'
    # The probe prints the spread of each run; a run gives its median and
    # its maximum (about seven changes each).
    seconds_out+=$(echo "$out" | grep after_count_second_ms | field median)$'\n'
    maxima+=$(echo "$out" | grep after_count_second_ms | field max)$'\n'
  done
  echo "$first" | grep . | spread > "$work/first"
  echo "$seconds_out" | grep . | spread > "$work/second"
  echo "$maxima" | grep . | sort -g | tail -1 > "$work/max"
}

prepare_program count count
# Memory of the ready program, before any start.
start "$program"; sleep 3; ready_memory=$(rss_mb "$started"); stop "$started"
measure "$program"
ours_first=$(cat "$work/first"); ours_second=$(cat "$work/second"); ours_max=$(cat "$work/max")
# CPU while counting, over 30 s.
start "$program"; pid=$started; sleep 2
"$probe" count 3 ctrl+alt+s >/dev/null
cpu0=$(cpu_seconds "$pid"); sleep 30; cpu1=$(cpu_seconds "$pid"); counting_memory=$(rss_mb "$pid")
stop "$pid"

measure "$floor" count 600
theirs_first=$(cat "$work/first"); theirs_second=$(cat "$work/second"); theirs_max=$(cat "$work/max")

compare "count-down: start hotkey to the first digit change (ms, $runs runs)" "$ours_first" "$theirs_first"
compare "count-down: digit change after the whole second of the count (ms, medians of the runs)" "$ours_second" "$theirs_second"
echo "  largest single delay: program $ours_max ms, floor $theirs_max ms"
awk -v a="$cpu0" -v b="$cpu1" -v r="$ready_memory" -v c="$counting_memory" \
  'BEGIN { printf "program: %.2f %% of one core while counting (30 s); %s MB resident when ready, %s MB counting\n", 100 * (b - a) / 30, r, c }'
