#!/bin/bash
# Display figures on an Xvfb screen of 1920x1080 (a Release build of its own):
#  - process start to the first painted frame of the display (median of 10)
#  - one clock-panel repaint with new digits over a 1920x1080 background picture
#  - CPU used while the display shows a static plan
source "$(dirname "$0")/bench_build.sh"
build_bench display_bench
bench=$build/bin/display_bench

run() {
  xvfb-run -a -s "-screen 0 1920x1080x24" bash -c "$1" 2>/dev/null
}

times=$(run '
  for i in 1 2 3 4 5 6 7 8 9 10; do
    t0=$(date +%s%3N)
    t1=$("'"$bench"'" first-frame | tail -1)
    echo $((t1 - t0))
  done')
median=$(echo "$times" | sort -n | awk '{a[NR]=$1} END {print (a[int((NR+1)/2)] + a[int(NR/2)+1]) / 2}')
echo "first painted frame: median $median ms of 10 runs (all: $(echo $times | tr '\n' ' '))"

repaint=$(run "'$bench' repaint 500 | tail -1")
echo "clock repaint over a 1920x1080 background picture: ${repaint% *} ms per repaint (mean of 500)"

idle=$(run "'$bench' idle 5 | tail -1")
echo "idle CPU with a static plan: $idle % of one core over 5 s"
