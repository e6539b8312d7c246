#!/usr/bin/env bash
# Counts the instructions two zek2rtf programs execute on the same generated
# corpus (valgrind's callgrind, every thread counted) and prints both counts
# and their ratio: a measure of speed that, unlike wall-clock time on a shared
# machine, does not move from run to run.
#
#   bench/instructions.sh [--work DIR] OLD_BINARY NEW_BINARY [LINES NAMES SHAPE [OPTION...]]
#
# The corpus defaults to make_corpus's 20,000 lines, 2,000 names, "headers";
# OPTIONs (for example -X, or an output name such as out.TXT) are put before
# the source name. Exits with 1 when the new count exceeds the old one by
# more than ZEK2RTF_INSTRUCTIONS_LIMIT percent (default 3).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
usage() {
  echo "usage: bench/instructions.sh [--work DIR] OLD_BINARY NEW_BINARY" \
    "[LINES NAMES SHAPE [OPTION...]]" >&2
  exit 2
}
work=
if [ "${1:-}" = --work ]; then
  [ $# -ge 2 ] || usage
  work=$2
  shift 2
fi
[ $# -eq 2 ] || [ $# -ge 5 ] || usage
absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
old=$(absolute "$1")
new=$(absolute "$2")
lines=${3:-20000} names=${4:-2000} shape=${5:-headers}
shift $(($# < 5 ? $# : 5))
options=("$@")
output=out.rtf
# An output name among the options replaces the RTF one.
for i in "${!options[@]}"; do
  case ${options[i]} in
    -*) ;;
    *) output=${options[i]}; unset "options[i]" ;;
  esac
done
command -v valgrind >/dev/null || { echo "instructions.sh: valgrind is not installed" >&2; exit 2; }
keep_work=1
if [ -z "$work" ]; then
  work=$(mktemp -d /tmp/zek2rtf-instructions-XXXXXX)
  keep_work=0
fi
mkdir -p "$work"

"${CXX:-c++}" -std=c++20 -O2 -o "$work/make_corpus" "$root/bench/make_corpus.cpp"
"$work/make_corpus" "$work" "$lines" "$names" "$shape" >/dev/null
extra=()
[ "$shape" = idfile ] && extra=(-Jcorpus.id -Fother.hlp)

# count BINARY: the instructions of one conversion, all threads together.
count() {
  rm -f "$work/callgrind.out"
  (cd "$work" && LC_ALL=C valgrind --tool=callgrind --callgrind-out-file=callgrind.out \
    "$1" "${options[@]}" "${extra[@]}" corpus.zek "$output" >/dev/null 2>&1)
  awk '/^(summary|totals):/ {print $2; exit}' "$work/callgrind.out"
}

old_count=$(count "$old")
new_count=$(count "$new")
limit=${ZEK2RTF_INSTRUCTIONS_LIMIT:-3}
echo "corpus: $lines lines, $names names, $shape;" \
  "arguments: ${options[*]}${options[*]:+ }${extra[*]}${extra[*]:+ }corpus.zek $output"
echo "old: $old_count instructions"
echo "new: $new_count instructions"
awk -v o="$old_count" -v n="$new_count" -v l="$limit" 'BEGIN {
  r = n / o
  printf "new / old = %.4f (%+.2f %%)\n", r, (r - 1) * 100
  exit (r > 1 + l / 100) ? 1 : 0
}' || { echo "more than $limit % above the old count" >&2; exit 1; }
[ "$keep_work" = 1 ] || rm -rf "$work"
