#!/bin/sh
# Builds the benchmarks (Release) and runs the macro expansion benchmark:
# the same 100,000-line source with 5 and with 500 macros defined.
# Exit status 1 when the two conversion times are more than 1.3x apart.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEK2RTF_BENCH=ON \
  -DZEK2RTF_TESTS=OFF >/dev/null
cmake --build "$build" --target macro_expand >/dev/null
"$build/bench/macro_expand"
