#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrane needs, only those that are missing.
#   scripts/install-deps.sh build   what building and running needs
#   scripts/install-deps.sh test    that, plus the tools of the test suite
#                                   and the benchmarks
# The package manager's output goes to a log file that is shown only when
# the installation fails.
set -euo pipefail
what="${1:-build}"

build_pkgs=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-multimedia-dev   # Qt 6.4 Widgets, Test, Multimedia (QAudioSink)
  qt6-websockets-dev                # the live board feed (--serve-board)
  libsndfile1-dev libsamplerate0-dev     # reading sound files, bringing them to one rate
  libpulse-dev                      # following the sound server's default output
  fonts-liberation2                 # Liberation Sans, metric-compatible with Arial
  fonts-noto-cjk                    # Japanese, Chinese and Korean names on the board
  hicolor-icon-theme                # the icon theme the launcher's icon goes into
)
test_pkgs=(
  libbenchmark-dev                   # Google Benchmark, for bench/
  clang libclang-rt-14-dev           # sanitizer build and libFuzzer targets (clang++)
  clang-format                       # the format check
  git desktop-file-utils             # the install test: a fresh clone, the launcher check
  xvfb x11-xserver-utils x11-utils openbox xdotool x11-apps imagemagick
  pulseaudio pulseaudio-utils sox
  dbus at-spi2-core python3-pyatspi
  weston qt6-wayland                 # the board under a Wayland compositor
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
log=$(mktemp /tmp/kestrane-apt.XXXXXX.log)
echo "Installing the missing Debian packages: ${missing[*]} ..."
start=$SECONDS
# env passes the frontend through sudo, which drops the caller's environment.
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get)
if ! { "${apt[@]}" update -q && "${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"; } \
  >"$log" 2>&1; then
  echo "Installing the packages failed; the last lines of $log:" >&2
  tail -n 25 "$log" >&2
  exit 1
fi
echo "Installed in $((SECONDS - start)) s (apt-get's output: $log)."
