#!/usr/bin/env bash
# Runs a command inside a private desktop made for the end-to-end test:
#  - Xvfb with the RandR monitors of one arrangement and the openbox window
#    manager: two-screens (the default) has OPERATOR (primary) and AUDIENCE
#    to its right, projector-left has AUDIENCE at the desktop origin and
#    OPERATOR to its right, one-screen has OPERATOR alone, and wayland one
#    monitor wide enough for a compositor's two outputs side by side;
#  - a PulseAudio server whose only sink is a null sink (record its monitor);
#  - a D-Bus session bus with the AT-SPI accessibility bus and registry.
# Every process started here is stopped by its PID when the command ends,
# also when it fails or is interrupted.
#
#   session.sh [two-screens | one-screen | projector-left | wayland] -- COMMAND [ARGS...]
#
# The command sees DISPLAY, PULSE_SERVER, PA_SINK, DBUS_SESSION_BUS_ADDRESS,
# QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and the shell function wait_for.
# Env: OPERATOR=1280x800 AUDIENCE=1920x1080 (monitor sizes).
set -euo pipefail

arrangement=two-screens
[ "${1:-}" = -- ] || { arrangement=${1:-}; shift || true; }
op="${OPERATOR:-1280x800}"
au="${AUDIENCE:-1920x1080}"
case "$arrangement" in
  two-screens | one-screen | projector-left) ;;
  wayland) op=3240x1140 arrangement=one-screen ;;
  *) set -- ;;
esac
[ "${1:-}" = -- ] && [ $# -gt 1 ] ||
  { echo "usage: $0 [two-screens | one-screen | projector-left | wayland] -- COMMAND..." >&2; exit 2; }
shift

w1=${op%x*}; h1=${op#*x}; w2=${au%x*}; h2=${au#*x}
if [ "$arrangement" = one-screen ]; then w=$w1; h=$h1; else w=$((w1 + w2)); h=$((h1 > h2 ? h1 : h2)); fi
mm() { echo $((($1 * 254 + 480) / 960)); } # pixels to millimetres at 96 dpi

work=$(mktemp -d /tmp/kestrane-session.XXXXXX)
pids=()
cleanup() {
  local code=$?
  kill "${pids[@]}" 2>/dev/null || true
  wait_for 3 bash -c "! kill -0 ${pids[*]}" || kill -9 "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
  exit "$code"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wait_for() { # wait_for SECONDS COMMAND...: poll until the command succeeds
  local t=$1; shift
  for _ in $(seq $((t * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
export -f wait_for
start() { # start NAME COMMAND...: in the background, its output in $work/NAME.log
  local name=$1; shift
  "$@" >"$work/$name.log" 2>&1 &
  pids+=($!)
}
need() { # need SECONDS WHAT COMMAND...: wait for the command or give up
  local t=$1 what=$2; shift 2
  wait_for "$t" "$@" || { echo "session: $what did not start" >&2; exit 1; }
}

# A free display number.
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
start xvfb Xvfb ":$n" -screen 0 "${w}x${h}x24" -noreset -nolisten tcp
export DISPLAY=":$n"
need 10 Xvfb xdpyinfo

output=$(xrandr --query | awk '/ connected/ {print $1; exit}')
opx=0 aux=$w1
if [ "$arrangement" = projector-left ]; then opx=$w2 aux=0; fi
xrandr --setmonitor '*OPERATOR' "$w1/$(mm "$w1")x$h1/$(mm "$h1")+$opx+0" "$output" >/dev/null
if [ "$arrangement" != one-screen ]; then
  xrandr --setmonitor AUDIENCE "$w2/$(mm "$w2")x$h2/$(mm "$h2")+$aux+0" none >/dev/null
fi
start openbox openbox --sm-disable
need 10 openbox sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

# PulseAudio with a null sink; HOME and XDG_RUNTIME_DIR kept inside $work.
mkdir -m 700 "$work/pa" "$work/a11y"
start pulseaudio env HOME="$work/pa" XDG_RUNTIME_DIR="$work/pa" pulseaudio --daemonize=no -n \
  --exit-idle-time=-1 --use-pid-file=no \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pa/native" \
  --load="module-null-sink sink_name=kestrane rate=48000"
export PULSE_SERVER="unix:$work/pa/native" PA_SINK=kestrane
need 10 pulseaudio pactl info
pactl set-default-sink kestrane

# Accessibility: session bus, AT-SPI bus launcher and registry.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/a11y/bus"
start bus dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS"
need 10 "the session bus" test -S "$work/a11y/bus"
start a11y-bus /usr/libexec/at-spi-bus-launcher --launch-immediately
a11y() { dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus "$@"; }
need 10 "the accessibility bus" a11y org.a11y.Bus.GetAddress
a11y org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
start registryd /usr/libexec/at-spi2-registryd
bus=$(a11y org.a11y.Bus.GetAddress | tr -d ' ')
need 10 "the accessibility registry" sh -c "dbus-send --bus='$bus' --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.NameHasOwner string:org.a11y.atspi.Registry | grep -q 'boolean true'"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

"$@"
