# Shared by the benchmark scripts (sourced): the source and build folders, the
# build of a benchmark's own targets (Release, no tests, in $BUILD_DIR or
# build-bench) and the environment the program runs in.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}

# build_bench TARGET...
build_bench() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALEN_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target "$@" -j3 >/dev/null
}

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_MEDIA_BACKEND
export QT_QPA_PLATFORM=xcb
