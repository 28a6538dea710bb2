# Shared by the screen benchmarks (sourced): a Release build of the program,
# the screen probe and the floor program; an Xvfb screen of 1920x1080 (or
# $SCREEN_SIZE) of the benchmark's own; a fresh copy of the program folder for
# each run.
source "$(dirname "$0")/bench_build.sh"
# The build whose program is measured (another build's folder compares
# before and after a change); the probe and the floor come from $build.
program_build=${PROGRAM_BUILD:-$build}
if [ -z "${ORVALEN_SCREEN_BENCH:-}" ]; then
  build_bench orvalen program_folder screen_probe floor_clock screen_bench_setup
  ORVALEN_SCREEN_BENCH=1 exec xvfb-run -a -s "-screen 0 ${SCREEN_SIZE:-1920x1080}x24 -dpi 96" "$0" "$@"
fi
probe=$build/bin/screen_probe
floor=$build/bin/floor_clock
work=$(mktemp -d)
running=()
finish() {
  for pid in "${running[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap finish EXIT

# A copy of the built program folder in $work/<name> with its own registry
# file and the plan `live` or `count`; sets $program to the program to run.
prepare_program() {
  local dir=$work/$1
  rm -rf "$dir"
  cp -r "$program_build/program" "$dir"
  export ORVALEN_REGISTRY=$work/$1.reg
  rm -f "$ORVALEN_REGISTRY"
  "$build/bin/screen_bench_setup" "$dir" "$ORVALEN_REGISTRY" "$2"
  program=$dir/orvalen
}

# Starts a program in the background; its pid lands in $started.
start() {
  "$@" >/dev/null 2>&1 &
  started=$!
  running+=("$started")
}
stop() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Reads "name n=.. min=.. median=.. max=.." from the probe; prints the value
# of one field.
field() { sed -n "s/.*$1=\([-0-9.]*\).*/\1/p" | head -1; }

# min / median / max of the numbers on stdin, one a line.
spread() {
  sort -g | awk '{v[NR]=$1} END {
    if (NR == 0) { print "n=0"; exit }
    m = NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2
    printf "n=%d min=%.1f median=%.1f max=%.1f\n", NR, v[1], m, v[NR] }'
}

# Prints "<what>: program ..., floor ..., ratio of medians (and of maxima)".
compare() {
  local what=$1 program=$2 floor=$3
  local pm fm px fx
  pm=$(echo "$program" | field median); fm=$(echo "$floor" | field median)
  px=$(echo "$program" | field max); fx=$(echo "$floor" | field max)
  echo "$what"
  echo "  program: ${program}"
  echo "  floor:   ${floor}"
  awk -v pm="$pm" -v fm="$fm" -v px="$px" -v fx="$fx" 'BEGIN {
    if (fm > 0 && fx > 0) printf "  ratio:   median %.2fx, max %.2fx\n", pm / fm, px / fx }'
}

# CPU time (s) and resident memory (MB) of a running process.
cpu_seconds() { awk -v hz="$(getconf CLK_TCK)" '{print ($14 + $15) / hz}' "/proc/$1/stat"; }
rss_mb() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
