#!/bin/bash
# The first second of a run that plays its start sound (the default plan's
# start sound, alarm.wav, on), as the audience sees it (an Xvfb screen of
# 1920x1080, stamped by benchmarks/screen_probe): the start hotkey
# Ctrl+Alt+S at a random phase of the second, two seconds after the
# program's start, then the first digit change. The count's first second
# lasts a second: every start should show its first change 1000-1030 ms
# after the key.
# Measured twice: with no sound server (as under a bare Xvfb), and with a
# PulseAudio server of the benchmark's own on a null sink, when `pulseaudio`
# is installed (apt-get install pulseaudio; the tests do not need it); and
# the floor program, for what the machine itself adds.
#   benchmarks/screen_start_sound_bench.sh [starts]     default 20
source "$(dirname "$0")/screen_common.sh"
starts=${1:-20}

# measure LABEL PROGRAM [ARGS...]
measure() {
  local label=$1 firsts="" i out
  shift
  for i in $(seq "$starts"); do
    start "$@"
    sleep 2
    out=$("$probe" count 4 ctrl+alt+s)
    stop "$started"
    firsts+=$(echo "$out" | sed -n 's/first_digit_change_after_key_ms //p')$'\n'
  done
  echo "$label: start hotkey to the first digit change (ms, $starts starts)"
  echo "  $(echo "$firsts" | grep . | spread)"
  echo "$firsts" | grep . | awk '$1 >= 1000 && $1 <= 1030 { n++ } END {
    printf "  within 1000-1030 ms: %d of %d\n", n, NR }'
}

prepare_program sound count
# The floor program under the same load: a count started at the key press.
measure "floor program (no sound)" "$floor" count 600

# No sound server: nothing answers where the program looks for one.
(
  export PULSE_SERVER=unix:$work/no-sound-server XDG_RUNTIME_DIR=$work/empty-runtime
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  measure "no sound server" "$program"
)

if ! command -v pulseaudio >/dev/null; then
  echo "with a sound server: skipped (pulseaudio is not installed)"
  exit 0
fi
pulse_runtime=$work/pulse-runtime
mkdir -p -m 700 "$pulse_runtime"
XDG_RUNTIME_DIR=$pulse_runtime HOME=$work pulseaudio -n --daemonize=no --exit-idle-time=-1 --system=no \
  --load=module-null-sink --load="module-native-protocol-unix auth-anonymous=1 socket=$pulse_runtime/native" \
  >"$work/pulseaudio.log" 2>&1 &
running+=("$!")
for _ in $(seq 50); do [ -S "$pulse_runtime/native" ] && break; sleep 0.1; done
if [ ! -S "$pulse_runtime/native" ]; then
  echo "with a sound server: skipped (pulseaudio did not start: $(tail -1 "$work/pulseaudio.log"))"
  exit 0
fi
(
  export PULSE_SERVER=unix:$pulse_runtime/native
  measure "PulseAudio on a null sink" "$program"
)
