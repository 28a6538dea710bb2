#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts the timer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Orvalen needs a graphical display (no DISPLAY or WAYLAND_DISPLAY is set); built in build/release/program." >&2
  exit 1
fi
unset QT_MEDIA_BACKEND
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u)
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
exec build/release/program/orvalen "$@"
