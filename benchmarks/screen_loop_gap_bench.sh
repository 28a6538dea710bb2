#!/bin/bash
# How long the event loop is held just after the first frame (an Xvfb screen
# of 1920x1080): the longest time between two turns of the event loop in the
# first 500 ms after the first exposure of a window, measured inside the
# process by benchmarks/loop_gap_probe (a Qt plugin both programs load), for
# the program (what follows its first frame: the saved plans, the database
# check, the deferred module) with the plan hotkeys off and on (three saved
# plans), and for the floor program, alternately.
#   benchmarks/screen_loop_gap_bench.sh [runs]     default 20
if [ -z "${ORVALEN_SCREEN_BENCH:-}" ]; then
  source "$(dirname "$0")/bench_build.sh"
  build_bench loop_gap_probe
fi
source "$(dirname "$0")/screen_common.sh"
runs=${1:-20}
export QT_PLUGIN_PATH=$build/bench-plugins QT_QPA_GENERIC_PLUGINS=loopgap

# The probe's figure for one run of a program: waits for its line (at most
# 20 s), then ends the program.
gap_of() {
  local out=$work/gap.out
  rm -f "$out"
  "$@" >"$out" 2>/dev/null &
  local pid=$!
  running+=("$pid")
  for _ in $(seq 200); do
    grep -q loop_gap_ms "$out" 2>/dev/null && break
    sleep 0.1
  done
  stop "$pid"
  sed -n 's/^loop_gap_ms \([0-9.]*\).*/\1/p' "$out"
}

off=""; on=""; theirs=""
for i in $(seq "$runs"); do
  prepare_program gap count
  off+=$(gap_of "$program")$'\n'
  prepare_program gap planhotkeys
  on+=$(gap_of "$program")$'\n'
  theirs+=$(gap_of "$floor" still)$'\n'
done
floor_spread=$(echo "$theirs" | grep . | spread)
for setting in off on; do
  compare "longest hold of the event loop in the 500 ms after the first frame, plan hotkeys $setting (ms, $runs runs)" \
    "$(echo "${!setting}" | grep . | spread)" "$floor_spread"
done
