#!/bin/bash
# The scrolling line as the audience sees it, on Xvfb screens of 1920x1080
# and 3840x2160: the program's CPU while its line runs (a saved plan with a
# scrolling text, selected by its plan hotkey; [Marquee] Mode=1, Width=5000,
# ten steps a second) and the floor program's, a strip that paints a text
# laid out once, as wide and stepping as far as the program's line should
# on that screen. Each run measures over its own seconds after the line
# started; min / median / max of the runs.
#   benchmarks/screen_scroll_bench.sh [runs] [seconds per run]   default 5 runs of 20 s
if [ -z "${SCREEN_SIZE:-}" ]; then
  for size in 1920x1080 3840x2160; do
    SCREEN_SIZE=$size "$0" "$@" || exit
  done
  exit 0
fi
source "$(dirname "$0")/screen_common.sh"
runs=${1:-5}
seconds=${2:-20}
width_px=${SCREEN_SIZE%x*}
height_px=${SCREEN_SIZE#*x}
# The texts' rule: sizes made for 1920x1080, drawn by the narrower side.
scale=$(awk -v w="$width_px" -v h="$height_px" 'BEGIN { a = w / 1920; b = h / 1080; print (a < b ? a : b) }')
text="欢迎各位参加年终述职考评会，请将手机调至静音"

# Percent of one core of the started program over $seconds, once it ran 2 s.
cpu_share() {
  local pid=$1 a b
  sleep 2
  a=$(cpu_seconds "$pid"); sleep "$seconds"; b=$(cpu_seconds "$pid")
  awk -v a="$a" -v b="$b" -v s="$seconds" 'BEGIN { printf "%.2f\n", 100 * (b - a) / s }'
}

prepare_program scroll scroll > "$work/plan"
plan=$(cat "$work/plan")
ours="" idle="" theirs=""
for i in $(seq "$runs"); do
  start "$program"; pid=$started
  sleep 3
  idle+=$(cpu_share "$pid")$'\n'
  # The plan hotkey selects the saved plan; its line starts running.
  "$probe" count 1 "ctrl+alt+$plan" >/dev/null
  ours+=$(cpu_share "$pid")$'\n'
  stop "$pid"
done
for i in $(seq "$runs"); do
  start "$floor" scroll "$(awk -v s="$scale" 'BEGIN { printf "%d", 5000 / 15 * s }')" \
    "$(awk -v s="$scale" 'BEGIN { print 100 / 15 * s }')" 100 "$(awk -v s="$scale" 'BEGIN { print 30 * s }')" "$text"
  theirs+=$(cpu_share "$started")$'\n'
  stop "$started"
done
compare "scrolling line at ${SCREEN_SIZE}: % of one core ($runs runs of $seconds s)" \
  "$(echo "$ours" | grep . | spread)" "$(echo "$theirs" | grep . | spread)"
echo "  program before its line runs: $(echo "$idle" | grep . | spread)"
