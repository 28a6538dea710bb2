#!/bin/bash
# Store figures (a Release build of its own): the first read, later reads and
# one write of a registry store of 20,000 and 50,000 values and of a
# TimeData.db of 10 MB.
source "$(dirname "$0")/bench_build.sh"
build_bench store_bench
"$build/bin/store_bench" 2>/dev/null
