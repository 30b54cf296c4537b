#!/usr/bin/env bash
# Runs a command inside a private desktop made for the end-to-end test:
#  - Xvfb with two RandR monitors side by side, OPERATOR (primary) and
#    AUDIENCE to its right (--projector-left: AUDIENCE at the desktop
#    origin, OPERATOR to its right), and the openbox window manager;
#  - a PulseAudio server whose only sink is a null sink (record its monitor);
#  - a D-Bus session bus with the AT-SPI accessibility bus and registry.
# Every process started here is stopped by its PID when the command ends,
# also when it fails or is interrupted.
#
#   session.sh [--one-screen | --projector-left] -- COMMAND [ARGS...]
#
# The command sees DISPLAY, PULSE_SERVER, PA_SINK, DBUS_SESSION_BUS_ADDRESS
# and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
# Env: OPERATOR=1280x800 AUDIENCE=1920x1080 (monitor sizes).
set -euo pipefail

one_screen=0
projector_left=0
while [ $# -gt 0 ]; do
  case "$1" in
    --one-screen) one_screen=1; shift ;;
    --projector-left) projector_left=1; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--one-screen | --projector-left] -- COMMAND..." >&2; exit 2; }

op="${OPERATOR:-1280x800}"
au="${AUDIENCE:-1920x1080}"
w1=${op%x*}; h1=${op#*x}; w2=${au%x*}; h2=${au#*x}
if [ "$one_screen" = 1 ]; then w=$w1; h=$h1; else w=$((w1 + w2)); h=$((h1 > h2 ? h1 : h2)); fi
mm() { echo $((($1 * 254 + 480) / 960)); } # pixels to millimetres at 96 dpi

work=$(mktemp -d /tmp/kestrane-session.XXXXXX)
pids=()
cleanup() {
  local code=$?
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
  done
  for p in "${pids[@]}"; do
    for _ in $(seq 30); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$p" 2>/dev/null || true
  done
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

# A free display number.
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done

Xvfb ":$n" -screen 0 "${w}x${h}x24" -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$n"
wait_for 10 xdpyinfo || { cat "$work/xvfb.log" >&2; echo "session: Xvfb did not start" >&2; exit 1; }

output=$(xrandr --query | awk '/ connected/ {print $1; exit}')
opx=0 aux=$w1
if [ "$projector_left" = 1 ]; then opx=$w2 aux=0; fi
xrandr --setmonitor '*OPERATOR' "$w1/$(mm "$w1")x$h1/$(mm "$h1")+$opx+0" "$output" >/dev/null
if [ "$one_screen" = 0 ]; then
  xrandr --setmonitor AUDIENCE "$w2/$(mm "$w2")x$h2/$(mm "$h2")+$aux+0" none >/dev/null
fi

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  { echo "session: openbox did not start" >&2; exit 1; }

# PulseAudio with a null sink; HOME and XDG_RUNTIME_DIR kept inside $work.
mkdir -p "$work/pa" && chmod 700 "$work/pa"
HOME="$work/pa" XDG_RUNTIME_DIR="$work/pa" pulseaudio --daemonize=no -n --exit-idle-time=-1 \
  --use-pid-file=no --log-target="file:$work/pa/pulseaudio.log" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pa/native" \
  --load="module-null-sink sink_name=kestrane rate=48000" >/dev/null 2>&1 &
pids+=($!)
export PULSE_SERVER="unix:$work/pa/native" PA_SINK=kestrane
wait_for 10 pactl info || { echo "session: pulseaudio did not start" >&2; exit 1; }
pactl set-default-sink kestrane

# Accessibility: session bus, AT-SPI bus launcher and registry.
mkdir -p "$work/a11y" && chmod 700 "$work/a11y"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/a11y/bus"
dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$work/a11y/bus.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$work/a11y/bus"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y/launcher.log" 2>&1 &
pids+=($!)
wait_for 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress ||
  { echo "session: no accessibility bus" >&2; exit 1; }
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
/usr/libexec/at-spi2-registryd >"$work/a11y/registryd.log" 2>&1 &
pids+=($!)
a11y=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress | tr -d ' ')
wait_for 10 sh -c "dbus-send --bus='$a11y' --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.NameHasOwner string:org.a11y.atspi.Registry | grep -q 'boolean true'" ||
  { echo "session: no accessibility registry" >&2; exit 1; }
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

"$@"
