#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into their own build folder, makes
# the seed corpus from the golden cases, and runs each target for DURATION
# seconds (default 20). Needs clang and the libFuzzer runtime
# (libclang-rt-14-dev on Debian and Ubuntu).
#
# Usage: fuzz/run.sh [DURATION] [TARGET...]
# Environment: ZEK2RTF_FUZZ_BUILD (build folder, default build-fuzz),
# ZEK2RTF_FUZZ_JOBS (parallel fuzzing processes per target, default 1).
# The corpus grows in BUILD/corpus/TARGET between runs; inputs that crash,
# hang or trap are written to BUILD/findings/ and make the script fail; each
# target's whole log is BUILD/logs/TARGET.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
duration=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(convert_fuzzer link_fuzzer macro_fuzzer publish_fuzzer)
build=${ZEK2RTF_FUZZ_BUILD:-$root/build-fuzz}
jobs=${ZEK2RTF_FUZZ_JOBS:-1}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEK2RTF_FUZZ=ON -DZEK2RTF_TESTS=OFF \
  -DZEK2RTF_WERROR=ON >/dev/null
cmake --build "$build"

rm -rf "$build/seeds"
"$build/fuzz/make_fuzz_seeds" "$root/tests/golden" "$build/seeds"
mkdir -p "$build/findings"

status=0
for target in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/$target" ]; then
    echo "fuzz/run.sh: no fuzz target $target" >&2
    status=1
    continue
  fi
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  args=(-max_total_time="$duration" -timeout=10 -rss_limit_mb=2048 -max_len=16384
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-")
  [ -f "$root/fuzz/$target.dict" ] && args+=(-dict="$root/fuzz/$target.dict")
  seeds=()
  [ -d "$build/seeds/$target" ] && seeds=("$build/seeds/$target")
  echo "== $target: $duration s"
  if [ "$jobs" -gt 1 ]; then
    args+=(-jobs="$jobs" -workers="$jobs")
  fi
  log=$build/logs/$target.log
  mkdir -p "$build/logs"
  if ! (cd "$build" && "$build/fuzz/$target" "${args[@]}" "$corpus" "${seeds[@]}") >"$log" 2>&1; then
    status=1
    grep -E -A30 '^==[0-9]+==|runtime error|SUMMARY' "$log" | head -60 || true
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)|Test unit written' "$log" ||
    true
done
exit $status
