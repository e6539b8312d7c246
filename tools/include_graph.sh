#!/usr/bin/env bash
# Prints the dependency graph between the folders of src/: one line
# "FROM -> TO (N)" for every folder FROM whose files include N headers of
# folder TO. Folders are the converter's layers; see docs/internals.md.
#   tools/include_graph.sh [SRC_DIR]
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}
cd "$src"
for file in */*.h */*.cpp; do
  from=${file%%/*}
  sed -n 's|^#include "\([a-z_]*\)/.*|\1|p' "$file" | while read -r to; do
    if [ "$to" != "$from" ]; then echo "$from -> $to"; fi
  done
done | sort | uniq -c | awk '{ printf "%s %s %s (%s)\n", $2, $3, $4, $1 }'
