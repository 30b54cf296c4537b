#!/usr/bin/env bash
# Installs what is missing, builds Kestrane with its tests and runs the whole
# test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)"
ctest --preset dev
