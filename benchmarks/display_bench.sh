#!/bin/bash
# Display figures on an Xvfb screen of 1920x1080 (a Release build of its own):
#  - process start to the first painted frame of the display (median of 10)
#  - one clock-panel repaint with new digits over a 1920x1080 background picture
#  - CPU used while the display shows a static plan
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target display_bench -j3 >/dev/null
bench=$build/bin/display_bench
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_MEDIA_BACKEND
export QT_QPA_PLATFORM=xcb

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
