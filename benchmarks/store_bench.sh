#!/bin/bash
# Store figures (a Release build of its own): the first read, later reads and
# one write of a registry store of 20,000 and 50,000 values and of a
# TimeData.db of 10 MB.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target store_bench -j3 >/dev/null
"$build/bin/store_bench" 2>/dev/null
