#!/usr/bin/env bash
# The end-to-end test: two monitors first, then a single monitor, then the
# projector left of the laptop, then two outputs of a Wayland compositor.
#   tests/e2e/run.sh PATH/TO/kestrane
# Screenshots, recordings and the program's output go to a folder named in
# the output; it is removed again when every check passed (unless
# E2E_KEEP=1 asks to keep it).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exe="$(realpath "$1")"
artifacts=$(mktemp -d /tmp/kestrane-e2e-artifacts.XXXXXX)

"$here/session.sh" -- /usr/bin/python3 "$here/test_e2e.py" --exe "$exe" --artifacts "$artifacts/two-screens"
two=$?
"$here/session.sh" --one-screen -- /usr/bin/python3 "$here/test_e2e.py" --exe "$exe" \
  --artifacts "$artifacts/one-screen" --one-screen
one=$?
"$here/session.sh" --projector-left -- /usr/bin/python3 "$here/test_e2e.py" --exe "$exe" \
  --artifacts "$artifacts/projector-left" --projector-left
left=$?
# Wayland: weston's two outputs are X windows on one wide monitor.
OPERATOR=3240x1140 "$here/session.sh" --one-screen -- /usr/bin/python3 "$here/test_wayland.py" \
  --exe "$exe" --artifacts "$artifacts/wayland"
wayland=$?

# The board window's own checks on a real window system, when built beside
# the program (the offscreen platform cannot show what they check).
onx=0
boardonx="$(dirname "$exe")/tests/board/tst_boardonx"
if [ -x "$boardonx" ]; then
  "$here/session.sh" -- env QT_QPA_PLATFORM=xcb "$boardonx"
  onx=$?
fi

failed=$((two || one || left || wayland || onx))
if [ $failed -eq 0 ] && [ "${E2E_KEEP:-0}" != 1 ]; then
  rm -rf "$artifacts"
  exit 0
fi
echo "e2e: screenshots, recordings and logs kept in $artifacts"
[ $failed -eq 0 ]
