#!/bin/sh
# Builds the converter in Release, generates the benchmark corpora and prints,
# per corpus, the median of 5 interleaved runs of the I/O floor and of the
# conversion, their ratio, the peak resident set, the -X and cmark
# comparisons, and the in-process adversarial measurement.
#
#   bench/run.sh [work folder]      (default: /tmp/zek2rtf-bench)
set -eu

work=${1:-/tmp/zek2rtf-bench}
. "$(cd "$(dirname "$0")" && pwd)/common.sh"

# Header commands present? Then the names come from headers, else from -J.
probe="$work/probe"
mkdir -p "$probe"
printf '.topic Probe\r\n' >"$probe/p.zek"
# (The converter reads "/" as an option mark, so it is run on relative names.)
if (cd "$probe" && "$zek2rtf" p.zek p.rtf >/dev/null 2>&1); then mode=headers; else mode=idfile; fi
echo "names declared by: $mode"

# run_corpus <label> <lines> <names> [shape]   (shape: make_corpus's, default $mode)
run_corpus() {
  label=$1 names=$3 shape=${4:-$mode}
  dir="$work/$1"
  mkdir -p "$dir"
  "$build/bench/make_corpus" "$dir" "$2" "$3" "$shape"
  cd "$dir"
  set -- "$zek2rtf" corpus.zek out.rtf
  if [ "$mode" = idfile ]; then set -- "$@" -Jcorpus.id -Fother.hlp; fi
  cat corpus.zek corpus.id corpus.md >/dev/null  # warm the page cache
  : >floor.t; : >conv.t; : >hex.t; : >txt.t; : >cmark.t; : >html.t; : >hhp.t
  for i in 1 2 3 4 5; do
    time_ms "$build/bench/io_floor" corpus.zek floor.out >>floor.t
    time_ms "$@" >>conv.t
    time_ms "$@" -X >>hex.t
    time_ms "$1" corpus.zek out.TXT >>txt.t
    time_ms "$1" corpus.zek out.html >>html.t
    time_ms "$1" corpus.zek out.hhp >>hhp.t
    if command -v cmark >/dev/null; then time_ms sh -c 'cmark corpus.md >out.html' >>cmark.t; fi
  done
  floor=$(median <floor.t); conv=$(median <conv.t); hex=$(median <hex.t); txt=$(median <txt.t)
  bytes=$(wc -c <corpus.zek)
  echo "$label: $(($bytes / 1000)) kB source, $names names"
  echo "  floor ${floor} ms, conversion ${conv} ms, ratio $(awk "BEGIN{printf \"%.2f\", $conv/($floor>0?$floor:1)}")"
  echo "  conversion $(awk "BEGIN{printf \"%.1f\", $bytes/1000/($conv>0?$conv:1)}") MB/s"
  echo "  -X ${hex} ms, ratio to plain RTF $(awk "BEGIN{printf \"%.2f\", $hex/($conv>0?$conv:1)}")"
  echo "  text output (.TXT) ${txt} ms, ratio to floor $(awk "BEGIN{printf \"%.2f\", $txt/($floor>0?$floor:1)}")"
  if [ -s cmark.t ]; then
    cm=$(median <cmark.t)
    echo "  cmark ${cm} ms, conversion/cmark $(awk "BEGIN{printf \"%.2f\", $conv/($cm>0?$cm:1)}")"
  else
    echo "  cmark not installed: comparison skipped"
  fi
  html=$(median <html.t); hhp=$(median <hhp.t)
  echo "  single page (.HTML) ${html} ms, ratio to RTF $(awk "BEGIN{printf \"%.2f\", $html/($conv>0?$conv:1)}")"
  echo "  HTML Help project (.HHP) ${hhp} ms, ratio to RTF $(awk "BEGIN{printf \"%.2f\", $hhp/($conv>0?$conv:1)}")"
  # Where a project's time goes: the kernel's time is mostly the file
  # system making the page files.
  if [ -x /usr/bin/time ]; then
    echo "    one more .HHP run: $(/usr/bin/time -f '%e s wall, %U s user, %S s system' \
      "$1" corpus.zek out.hhp 2>&1 >/dev/null | tail -1)"
  fi
  echo "  peak RSS $(peak_kb "$@") kB; .HTML $(peak_kb "$1" corpus.zek out.html) kB;" \
    ".HHP $(peak_kb "$1" corpus.zek out.hhp) kB"
  # The same source with link insertion switched off: what the rest of the
  # converter costs.
  { printf '.nolinkmode\r\n'; cat corpus.zek; } >nolink.zek
  nolinks=$(for i in 1 2 3 4 5; do time_ms "$zek2rtf" nolink.zek out.rtf; done | median)
  echo "  link insertion off (.nolinkmode) ${nolinks} ms, ratio to floor $(awk "BEGIN{printf \"%.2f\", $nolinks/($floor>0?$floor:1)}")"
  cd - >/dev/null
}

run_corpus c100k_2k 100000 2000
run_corpus c100k_10k 100000 10000
run_corpus c500k_10k 500000 10000
# The same size with macros, #if32 sections and formatting commands.
if [ "$mode" = headers ]; then run_corpus c500k_10k_full 500000 10000 full; fi
echo "adversarial name sets (in-process, 2000 names):"
"$build/bench/link_adversarial" 2000 200
