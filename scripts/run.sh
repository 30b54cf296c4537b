#!/usr/bin/env bash
# Installs what is missing, builds Kestrane (release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
exec build/release/kestrane "$@"
