#!/usr/bin/env bash
# Runs two zek2rtf programs side by side and compares, byte for byte, every
# file each leaves in its folder, both console streams and the exit status:
#
#   - every golden case under tests/golden/ (but windows/), with its own
#     arguments;
#   - every example of the author's guide (docs/zek-format.md), with the
#     command line its test gives it;
#   - the benchmark corpora of bench/make_corpus;
#
# and every golden case and example whose command line is "[options] X.zek
# OUT.rtf|.txt|.xtf", and every corpus, once in each output mode: RTF, .TXT,
# .TXT with -K, .XTF, -X, -I@@, -R, -V, -C, -D and -3, the single page (also
# with -C) and the HTML Help project.
#
#   bench/compare_binaries.sh [--quick] [--only golden|guide|corpora] [--work DIR]
#                             OLD_BINARY NEW_BINARY
#
# --quick makes the corpora 20,000 lines long instead of the benchmark's
# 100,000 and 500,000; --only compares one of the three groups. Each run
# happens under LC_ALL=C in a fresh copy of its input folder, always at the
# same path, so a converter that names its folder gives the same bytes. Prints "N compared, N differ" and exits with 1 when
# anything differs, listing the first differences; the folders of the first
# ten are kept under WORK/differences/ (WORK defaults to a new folder under
# /tmp, removed at the end when nothing differs).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
usage() {
  echo "usage: bench/compare_binaries.sh [--quick] [--only golden|guide|corpora] [--work DIR]" \
    "OLD_BINARY NEW_BINARY" >&2
  exit 2
}
quick=0
only=
work=
while [ $# -gt 0 ]; do
  case $1 in
    --quick) quick=1 ;;
    --work) [ $# -ge 2 ] || usage; work=$2; shift ;;
    --only) [ $# -ge 2 ] || usage; only=$2; shift ;;
    -*) usage ;;
    *) break ;;
  esac
  shift
done
[ $# -eq 2 ] || usage
case $only in '' | golden | guide | corpora) ;; *) usage ;; esac
wanted() { [ -z "$only" ] || [ "$only" = "$1" ]; }
absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
old=$(absolute "$1")
new=$(absolute "$2")
for binary in "$old" "$new"; do
  [ -x "$binary" ] || { echo "compare_binaries.sh: $binary is not a program" >&2; exit 2; }
done
keep_work=1
if [ -z "$work" ]; then
  work=$(mktemp -d /tmp/zek2rtf-compare-XXXXXX)
  keep_work=0
fi
mkdir -p "$work"
work=$(cd "$work" && pwd)
limit=${ZEK2RTF_COMPARE_TIMEOUT:-600}  # seconds one run may take

# The two single-file helpers, compiled from this tree.
tools=$work/tools
mkdir -p "$tools"
cxx=${CXX:-c++}
"$cxx" -std=c++20 -O2 -o "$tools/make_corpus" "$root/bench/make_corpus.cpp"
"$cxx" -std=c++20 -O2 -I"$root/tests" -o "$tools/guide_cases" "$root/bench/guide_cases.cpp"

compared=0
differ=0
listed=()
run=$work/run  # every run happens here, then its folder is moved aside
empty=$work/empty  # standard input of every run
: >"$empty"

# run_one SIDE BINARY INPUT_DIR LINK ARG...: runs BINARY in a fresh copy of
# INPUT_DIR (hard links when LINK is 1: the corpora are large, and the
# converter replaces an output file by renaming, never writing into it) and
# moves the folder to WORK/SIDE, the console streams and status beside it.
run_one() {
  local side=$1 binary=$2 input=$3 link=$4
  shift 4
  rm -rf "$run" "${work:?}/$side" && mkdir "$run"
  if [ -d "$input" ]; then
    if [ "$link" = 1 ]; then cp -al "$input/." "$run/"; else cp -a "$input/." "$run/"; fi
  fi
  local status=0
  (cd "$run" && LC_ALL=C timeout "$limit" "$binary" "$@" <"$empty" >"$work/$side.stdout" \
    2>"$work/$side.stderr") || status=$?
  echo "$status" >"$work/$side.status"
  mv "$run" "$work/$side"
}

# first_difference A B: cmp's line on where A and B first differ.
first_difference() { cmp "$1" "$2" 2>&1 | head -1 | sed "s|$work/||g" || true; }

# compare LABEL INPUT_DIR LINK ARG...: one comparison of the two programs.
compare() {
  local label=$1 input=$2 link=$3
  shift 3
  run_one old "$old" "$input" "$link" "$@"
  run_one new "$new" "$input" "$link" "$@"
  compared=$((compared + 1))
  local what=()
  cmp -s "$work/old.status" "$work/new.status" ||
    what+=("exit status $(cat "$work/old.status") -> $(cat "$work/new.status")")
  local stream
  for stream in stdout stderr; do
    if ! cmp -s "$work/old.$stream" "$work/new.$stream"; then
      what+=("$stream: $(first_difference "$work/old.$stream" "$work/new.$stream")")
    fi
  done
  local line
  while IFS= read -r line; do what+=("$line"); done < <(diff -rq "$work/old" "$work/new" |
    sed "s|$work/||g")
  [ ${#what[@]} -eq 0 ] && return 0
  differ=$((differ + 1))
  if [ ${#listed[@]} -lt 10 ]; then
    local keep=$work/differences/$differ
    mkdir -p "$keep"
    for side in old new; do
      mv "$work/$side" "$keep/$side"
      mv "$work/$side.stdout" "$work/$side.stderr" "$work/$side.status" "$keep/"
    done
    listed+=("$label ($*): ${what[*]}; kept in $keep")
  fi
}

# The output modes: options put first, and the output file name.
modes=("out.rtf" "out.TXT" "-K out.TXT" "out.XTF" "-X out.rtf" "-I@@ out.rtf" "-R out.rtf"
  "-V out.rtf" "-C out.rtf" "-D out.rtf" "-3 out.rtf" "out.html" "-C out.html" "out.hhp")

lower() { printf '%s' "$1" | tr '[:upper:]' '[:lower:]'; }

# compare_case LABEL CASE_DIR: the case with its own arguments, then in every
# mode when its command line ends in a .zek source and an output name.
compare_case() {
  local label=$1 dir=$2 args=()
  mapfile -t args <"$dir/args"
  compare "$label" "$dir/in" 0 "${args[@]}"
  local n=${#args[@]}
  [ "$n" -ge 2 ] || return 0
  local source=${args[n - 2]} output=${args[n - 1]}
  [[ $(lower "$source") == *.zek ]] || return 0
  [[ $(lower "$output") =~ \.(rtf|txt|xtf)$ ]] || return 0
  local folder=
  [[ $output == */* ]] && folder=${output%/*}/
  local mode words
  for mode in "${modes[@]}"; do
    read -r -a words <<<"$mode"
    local last=$((${#words[@]} - 1))
    compare "$label" "$dir/in" 0 "${words[@]:0:last}" "${args[@]:0:n-1}" \
      "$folder${words[last]}"
  done
}

report_group() { echo "$1: $compared compared so far, $differ differ"; }

compare_golden() {
  local args_file dir
  while IFS= read -r args_file; do
    dir=${args_file%/args}
    compare_case "golden/${dir#"$root/tests/golden/"}" "$dir"
  done < <(find "$root/tests/golden" -name args -not -path '*/golden/windows/*' | sort)
  report_group "golden cases"
}

compare_guide() {
  local dir
  "$tools/guide_cases" "$root/docs/zek-format.md" "$work/guide" >/dev/null
  for dir in "$work/guide"/*/; do
    dir=${dir%/}
    compare_case "guide/${dir##*/}" "$dir"
  done
  report_group "guide examples"
}

if wanted golden; then compare_golden; fi
if wanted guide; then compare_guide; fi

# The benchmark corpora (bench/run.sh's, and one whose names come through -J).
if ! wanted corpora; then
  corpora=()
elif [ "$quick" = 1 ]; then
  corpora=("20000 2000 headers" "20000 10000 full" "20000 2000 idfile")
else
  corpora=("100000 2000 headers" "100000 10000 headers" "500000 10000 headers"
    "500000 10000 full" "100000 2000 idfile")
fi
for corpus in "${corpora[@]}"; do
  read -r lines names shape <<<"$corpus"
  dir=$work/corpus
  rm -rf "$dir" && mkdir -p "$dir"
  "$tools/make_corpus" "$dir" "$lines" "$names" "$shape" >/dev/null
  rm -f "$dir/corpus.md"  # the Markdown twin is for cmark only
  extra=()
  [ "$shape" = idfile ] && extra=(-Jcorpus.id -Fother.hlp)
  for mode in "${modes[@]}"; do
    read -r -a words <<<"$mode"
    last=$((${#words[@]} - 1))
    compare "corpus $lines/$names/$shape [$mode]" "$dir" 1 "${words[@]:0:last}" "${extra[@]}" \
      corpus.zek "${words[last]}"
  done
  report_group "corpus $lines lines, $names names, $shape"
done
rm -rf "$work/corpus" "$work/old" "$work/new"

echo "$compared compared, $differ differ"
if [ "$differ" -gt 0 ]; then
  echo "first differences:"
  for line in "${listed[@]}"; do echo "  $line"; done
  exit 1
fi
[ "$keep_work" = 1 ] || rm -rf "$work"
