#!/bin/bash
# Settings window figures on an Xvfb screen of 1920x1080 under openbox (a
# Release build of its own): the desktop menu's 设置 to the painted window,
# and 应用 to the display painted with the new plan; median and max of 20.
source "$(dirname "$0")/bench_build.sh"
build_bench settings_bench
bench=$build/bin/settings_bench
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c "(command -v openbox >/dev/null && openbox >/dev/null 2>&1 &) ; sleep 1; '$bench'" 2>/dev/null
