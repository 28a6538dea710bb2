#!/bin/bash
# Settings window figures on an Xvfb screen of 1920x1080 under openbox (a
# Release build of its own): the desktop menu's 设置 to the painted window,
# and 应用 to the display painted with the new plan; median and max of 20.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target settings_bench -j3 >/dev/null
bench=$build/bin/settings_bench
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_MEDIA_BACKEND
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c "(command -v openbox >/dev/null && openbox >/dev/null 2>&1 &) ; sleep 1; '$bench'" 2>/dev/null
