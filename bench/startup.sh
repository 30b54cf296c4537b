#!/usr/bin/env bash
# Start-up to a shown console, and the program's peak memory, measured from
# outside on the project's private X desktop (tests/e2e/session.sh):
#   bench/startup.sh build/bench/kestrane [RUNS]
# Prints each run and the medians.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exe="$(realpath "$1")"
runs="${2:-9}"
exec "$here/../tests/e2e/session.sh" -- bash -c '
  exe="$1"; runs="$2"
  folder=$(mktemp -d); cp "$exe" "$folder/kestrane"
  times=(); peaks=()
  for i in $(seq "$runs"); do
    start=$(date +%s%N)
    QT_QPA_PLATFORM=xcb "$folder/kestrane" >/dev/null 2>&1 &
    pid=$!
    # Poll every 10 ms (xdotool --sync would poll only twice a second).
    until xdotool search --onlyvisible --name "^Kestrane 1.2.1$" >/dev/null 2>&1; do sleep 0.01; done
    shown=$(date +%s%N)
    sleep 1 # let it settle, then read its peak resident memory
    peak=$(awk "/VmHWM/ {print \$2}" /proc/$pid/status)
    kill $pid; wait $pid 2>/dev/null || true
    ms=$(( (shown - start) / 1000000 ))
    echo "run $i: shown after $ms ms, peak memory $((peak / 1024)) MiB"
    times+=("$ms"); peaks+=("$peak")
  done
  median() { printf "%s\n" "$@" | sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
  echo "median: shown after $(median "${times[@]}") ms, peak memory $(( $(median "${peaks[@]}") / 1024 )) MiB"
  rm -rf "$folder"
' _ "$exe" "$runs"
