# Shared by the benchmark scripts: builds the converter in Release into
# "$work/build" and defines the timing helpers. Source it after setting
# `work`; it sets `build`, `zek2rtf` and `floor`.
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build="$work/build"
mkdir -p "$work"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZEK2RTF_BENCH=ON -DZEK2RTF_TESTS=OFF >/dev/null
cmake --build "$build" >/dev/null
zek2rtf="$build/zek2rtf"
floor="$build/bench/io_floor"

now() { date +%s%N; }
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# time_ms <command...>: elapsed milliseconds of one run.
time_ms() {
  start=$(now)
  "$@" >/dev/null 2>&1 || echo "failed: $*" >&2
  end=$(now)
  echo $(((end - start) / 1000000))
}

# peak_kb <command...>: the peak resident set of one run, in kB.
peak_kb() {
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1
  else
    echo "n/a"
  fi
}
