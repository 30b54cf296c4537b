#!/usr/bin/env bash
# Lines of tests against lines of program: non-blank lines that are not
# whole-line comments, in every language of each tree.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  git ls-files "$@" | grep -E '\.(cpp|h|py|sh|js|html|css|cmake)$|CMakeLists\.txt$' |
    xargs cat | grep -vE '^\s*$|^\s*(//|#[^a-z!]|#$|\*|/\*)' | wc -l
}
program=$(count src app)
tests=$(count tests)
awk -v p="$program" -v t="$tests" \
  'BEGIN { printf "lines: program %d, tests %d, tests/program %.2f\n", p, t, t / p }'
