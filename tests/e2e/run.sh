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
failed=0
for a in two-screens one-screen projector-left wayland; do
  "$here/session.sh" $a -- /usr/bin/python3 "$here/test_e2e.py" "$exe" "$artifacts/$a" $a || failed=1
done
[ $failed = 1 ] || [ "${E2E_KEEP:-0}" = 1 ] || { rm -rf "$artifacts"; exit 0; }
echo "e2e: screenshots, recordings and logs kept in $artifacts"
exit $failed
