#!/usr/bin/env bash
# Installs what is missing, builds Kestrane and runs the whole test suite:
#  1. the dev build: unit, widget and end-to-end tests;
#  2. the same unit and widget tests under AddressSanitizer and
#     UndefinedBehaviorSanitizer (clang);
#  3. each libFuzzer target for a short, fixed time.
# KESTRANE_STAGES picks stages (default "dev asan fuzz");
# KESTRANE_FUZZ_SECONDS sets the time per fuzzer (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
stages="${KESTRANE_STAGES:-dev asan fuzz}"
jobs="$(nproc)"
scripts/install-deps.sh test

stage() { printf '\n=== %s (%s)\n' "$1" "$(date -u +%H:%M:%S)"; }

stage "line count"
scripts/line-ratio.sh

stage "format check"
sources=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src app tests bench fuzz -name '*.cpp' -o -name '*.h')
if ! echo "$sources" | xargs clang-format --dry-run --Werror; then
  echo "Some files are not formatted: run clang-format -i on them." >&2
  exit 1
fi

stage "include direction"
scripts/check-includes.sh

if [[ " $stages " == *" dev "* ]]; then
  stage "dev build and tests"
  cmake --preset dev >/dev/null
  cmake --build --preset dev -j"$jobs"
  ctest --preset dev
fi

if [[ " $stages " == *" asan "* ]]; then
  stage "sanitizer build and tests"
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j"$jobs"
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --preset asan
fi

if [[ " $stages " == *" fuzz "* ]]; then
  stage "fuzzing"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j"$jobs" --target fuzz_settings fuzz_numbers fuzz_sound fuzz_matchlist
  seconds="${KESTRANE_FUZZ_SECONDS:-30}"
  for target in settings numbers sound matchlist; do
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$target/." "$work/"
    echo "--- fuzz_$target for $seconds s"
    # A crash or sanitizer report ends the run with a non-zero status and
    # leaves the input in build/fuzz/crashes/ to be kept as a regression.
    mkdir -p build/fuzz/crashes
    build/fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build/fuzz/crashes/ "$work" 2>&1 | grep -E '^(#[0-9]+ +DONE|stat::|==|SUMMARY)' || true
    status=${PIPESTATUS[0]}
    rm -rf "$work"
    if [ "$status" -ne 0 ]; then
      echo "fuzz_$target failed; the input is in build/fuzz/crashes/" >&2
      exit 1
    fi
  done
fi
