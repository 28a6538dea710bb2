#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and runs every test
# under one Xvfb server.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVALEN_SANITIZE=ON >/dev/null
cmake --build build/test -j"$(nproc)"
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u)
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_MEDIA_BACKEND
# Leaks inside the system's graphics and media libraries are not ours to fix.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
xvfb-run -a -s "-screen 0 1920x1080x24 -dpi 96" \
  ctest --test-dir build/test --output-on-failure -j"$(nproc)" "$@"
