#!/usr/bin/env bash
# The live feed's bench rows, in order, two runs each; builds nothing.
# Run from the top of the tree after `cmake --preset bench && cmake --build --preset bench`:
#   bench/feed/rows.sh OUTDIR
# Each run is inside tests/e2e/session.sh, whose PulseAudio null sink lets
# feed_load also measure the sound requests. About 8 x 30 s (3 to 4 minutes).
set -u
out=${1:?usage: $0 OUTDIR}
mkdir -p "$out"
tool=build/bench/bench/feed/feed_load
[ -x "$tool" ] || { echo "no $tool: build the bench preset first" >&2; exit 2; }
run() { # run NAME ARGS...
  local name=$1; shift
  for i in 1 2; do
    echo "== $name run $i: $tool $* (load: $(cut -d' ' -f1-3 /proc/loadavg))"
    tests/e2e/session.sh -- "$tool" "$@" >"$out/$name-$i.txt" 2>"$out/$name-$i.err"
    echo "   exit $?, load after: $(cut -d' ' -f1-3 /proc/loadavg)"
  done
}
run idle --short
run ws1000 --short --ws 1000 --http 0
run hostile-nice --short --hostile --nice
run hostile --short --hostile
