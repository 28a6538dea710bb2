#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts the timer.
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=""
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No graphical display (DISPLAY and WAYLAND_DISPLAY are unset): Orvalen will only be built, not started." >&2
  build_only=1
fi
./scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
if [ -n "$build_only" ]; then
  echo "Built in build/release/program; start it there on a graphical display." >&2
  exit 0
fi
unset QT_MEDIA_BACKEND
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u)
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
exec build/release/program/orvalen "$@"
