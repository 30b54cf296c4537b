#!/usr/bin/env bash
# Fails when a quoted #include in src/ or app/ points against the direction
# of the layers below (lowest first). A file may include files of a lower
# layer, or of its own layer in its own folder; folders that share a layer
# stay independent of each other. A file that fits no layer fails too, so a
# new folder has to be placed here first.
#
# Usage: scripts/check-includes.sh [root]   (root defaults to the checkout)
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"

# Paths are relative to src/, except app/. Sets $L.
layer() {
  case "$1" in
    core/*) L=0 ;;
    platform/*) L=1 ;;
    widgets/*) L=2 ;;
    # The facts of a match, plain data the board model shows too.
    match/MatchState.* | match/Competitors.* | match/CompetitorText.* | penalties/PenaltyBoxes.*) L=3 ;;
    # The board model: every handler writes into it.
    board/Kubord2* | board/BoardHolder.* | board/LabelBox.* | board/TextMeasure.* | \
      board/BoardFit.* | board/BoardScaling.*) L=4 ;;
    match/*) L=5 ;;
    clock/* | penalties/*) L=6 ;;
    board/* | tournament/*) L=7 ;;
    feed/* | about/*) L=8 ;;
    console/*) L=9 ;;
    app/*) L=10 ;;
    *) L=-1 ;;
  esac
}


failures=0
while IFS= read -r file; do
  from="${file#src/}"
  layer "$from"
  from_layer=$L
  if [[ $from_layer -lt 0 ]]; then
    echo "$file: in no layer (place its folder in scripts/check-includes.sh)"
    failures=$((failures + 1))
    continue
  fi
  while IFS=: read -r line target; do
    if [[ -f "src/$target" ]]; then
      to="$target"
    elif [[ -f "${file%/*}/$target" ]]; then
      to="${file%/*}/$target"
      to="${to#src/}"
    else
      continue # generated or outside the tree
    fi
    layer "$to"
    to_layer=$L
    if [[ $to_layer -lt $from_layer ]]; then
      continue
    fi
    if [[ $to_layer -eq $from_layer && "${to%/*}" == "${from%/*}" ]]; then
      continue
    fi
    echo "$file:$line: includes \"$target\" (layer $to_layer) from layer $from_layer"
    failures=$((failures + 1))
  done < <(grep -n '^#include "' "$file" | sed -E 's/^([0-9]+):#include "([^"]+)".*/\1:\2/' || true)
done < <(find src app -name '*.h' -o -name '*.cpp' | sort)

if [[ $failures -gt 0 ]]; then
  echo "$failures include(s) against the layers." >&2
  exit 1
fi
echo "includes follow the layers"
