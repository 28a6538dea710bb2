#!/bin/bash
# Start to the first painted frame, as the audience sees it (an Xvfb screen
# of 1920x1080, stamped by benchmarks/screen_probe): from the start of the
# process to the first frame in which a quarter of the screen shows the
# program's pixels, for the program (its full start-up: stores, database,
# menus, display) with the plan hotkeys off and on (three saved plans), and
# for the floor program, alternately.
#   benchmarks/screen_startup_bench.sh [runs]     default 10
source "$(dirname "$0")/screen_common.sh"
runs=${1:-10}
off=""; on=""; theirs=""
for i in $(seq "$runs"); do
  prepare_program start count
  off+=$("$probe" launch 20 "$program" | sed -n 's/first_frame_ms //p')$'\n'
  prepare_program start planhotkeys
  on+=$("$probe" launch 20 "$program" | sed -n 's/first_frame_ms //p')$'\n'
  theirs+=$("$probe" launch 20 "$floor" still | sed -n 's/first_frame_ms //p')$'\n'
done
floor_spread=$(echo "$theirs" | grep . | spread)
compare "start to the first painted frame, plan hotkeys off (ms, $runs runs)" "$(echo "$off" | grep . | spread)" "$floor_spread"
compare "start to the first painted frame, plan hotkeys on (ms, $runs runs)" "$(echo "$on" | grep . | spread)" "$floor_spread"
