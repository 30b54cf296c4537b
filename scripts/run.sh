#!/usr/bin/env bash
# Installs what is missing, builds Kestrane (release), installs it for this
# user and starts the installed copy:
#   program folder  ${XDG_DATA_HOME:-~/.local/share}/kestrane  (program, sounds/, kumite.ini)
#   launcher        ${XDG_DATA_HOME:-~/.local/share}/applications/kestrane.desktop
# Arguments go to the program; with --help or --version no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."

needs_display=1
for a in "$@"; do
  case "$a" in -h | --help | -v | --version) needs_display=0 ;; esac
done
if [ "$needs_display" = 1 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
Kestrane needs a desktop to show its windows, and none is available here
(neither DISPLAY nor WAYLAND_DISPLAY is set: an SSH session or a text console?).
 - Run scripts/run.sh in a terminal on the machine's desktop, or
 - build and install only, then start Kestrane from the desktop's menu:
     scripts/install-deps.sh && cmake --preset release && \
       cmake --build --preset release && cmake --install build/release
MSG
  exit 1
fi

scripts/install-deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
# The user's data folder as the desktop sees it now (a relative
# XDG_DATA_HOME does not count).
prefix="${XDG_DATA_HOME:-}"
[[ "$prefix" == /* ]] || prefix="$HOME/.local/share"
cmake --install build/release --prefix "$prefix" >/dev/null
echo "Installed in $prefix/kestrane"
exec "$prefix/kestrane/kestrane" "$@"
