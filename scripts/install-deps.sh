#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrane needs, only those that are missing.
#   scripts/install-deps.sh build   what building and running needs
#   scripts/install-deps.sh test    that, plus the tools of the test suite
set -euo pipefail
what="${1:-build}"

build_pkgs=(
  g++ cmake make pkg-config
  libbenchmark-dev                  # Google Benchmark, for bench/
  qt6-base-dev qt6-multimedia-dev   # Qt 6.4 Widgets, Test, Multimedia (QSoundEffect)
  qt6-httpserver-dev qt6-websockets-dev  # the live board feed (--serve-board)
  fonts-liberation2                 # Liberation Sans, metric-compatible with Arial
)
test_pkgs=(
  clang libclang-rt-14-dev           # sanitizer build and libFuzzer targets (clang++)
  clang-format                       # the format check
  xvfb x11-xserver-utils x11-utils openbox xdotool x11-apps imagemagick
  pulseaudio pulseaudio-utils sox
  dbus at-spi2-core python3-pyatspi
  chromium                           # the board feed's browser test
)

case "$what" in
  build) pkgs=("${build_pkgs[@]}") ;;
  test) pkgs=("${build_pkgs[@]}" "${test_pkgs[@]}") ;;
  *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
