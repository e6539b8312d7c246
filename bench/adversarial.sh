#!/bin/sh
# Converts four sources of about 1 MB built to be hard for a converter and
# prints each time as a ratio to the I/O floor on the same bytes (median of 5
# interleaved runs), and the peak resident set:
#   prefixes  1,500 topics "a", "aa", "aaa", ... and 300 body lines of 2,000 "a"
#   longline  one body line of 1 MB that names topics all along
#   macros    two macros used twenty times on each of 20,000 lines, expanding
#             close to the 1024-character limit
#   includes  five nested .include levels of 200 KB each
#
#   bench/adversarial.sh [work folder]      (default: /tmp/zek2rtf-adversarial)
set -eu

work=${1:-/tmp/zek2rtf-adversarial}
. "$(cd "$(dirname "$0")" && pwd)/common.sh"

cd "$work"
awk 'BEGIN { t = ""; for (i = 1; i <= 1500; i++) { t = t "a"; printf ".topic %s\r\n", t }
             line = ""; for (i = 0; i < 2000; i++) line = line "a"
             for (i = 0; i < 300; i++) printf "%s\r\n", line }' >prefixes.zek
awk 'BEGIN { printf ".topic Setup\r\n.topic Printing Options\r\n.popup Note\r\n.topic Body\r\n"
             while (n < 1000000) { s = "See Setup and the Printing Options, or a Note on Printing; "
                                   printf "%s", s; n += length(s) }
             printf "\r\n" }' >longline.zek
awk 'BEGIN { printf "#define AB\t[a body of about fifty characters, written out]\r\n"
             printf "#define CD(x)\t<x: a second body of about fifty characters>\r\n"
             for (i = 0; i < 20000; i++) {
               for (j = 0; j < 10; j++) printf "AB CD(%d) ", j
               printf "\r\n" } }' >macros.zek
for level in 1 2 3 4 5; do
  awk -v level=$level 'BEGIN { printf ".topic Level %d\r\n", level
    while (n < 200000) { s = "Text of an included file that mentions Level 1 and Level 5 now and then.\r\n"
                         printf "%s", s; n += length(s) }
    if (level < 5) printf ".include inc%d.zek\r\n", level + 1 }' >inc$level.zek
done
cp inc1.zek includes.zek
cat inc1.zek inc2.zek inc3.zek inc4.zek inc5.zek >includes.all

for case in prefixes longline macros includes; do
  input=$case.zek
  [ "$case" = includes ] && input=includes.all
  cat $case.zek "$input" >/dev/null
  : >floor.t; : >conv.t
  for i in 1 2 3 4 5; do
    time_ms "$floor" "$input" floor.out >>floor.t
    time_ms "$zek2rtf" $case.zek $case.rtf >>conv.t
  done
  f=$(median <floor.t); c=$(median <conv.t)
  echo "$case: $(($(wc -c <"$input") / 1000)) kB, floor ${f} ms, conversion ${c} ms," \
       "ratio $(awk "BEGIN{printf \"%.1f\", $c/($f>0?$f:1)}"), peak RSS $(peak_kb "$zek2rtf" $case.zek $case.rtf) kB"
done
