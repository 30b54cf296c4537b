#!/usr/bin/env bash
# The install test: the committed HEAD cloned afresh and installed into a
# temporary home by the README's run command, then checked as a desktop user
# finds it. Runs on a private desktop (tests/e2e/session.sh).
#   tests/install/run.sh PATH/TO/install_probe
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
probe="$(realpath "$1")"
if [ -z "${KESTRANE_INSTALL_SESSION:-}" ]; then
  KESTRANE_INSTALL_SESSION=1 exec "$here/../e2e/session.sh" -- "$0" "$@"
fi

repo="$(git -C "$here" rev-parse --show-toplevel)"
commit="$(git -C "$repo" rev-parse HEAD)"
tmp="$(mktemp -d /tmp/kestrane-install.XXXXXX)"
pids=()
cleanup() {
  local code=$?
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  if [ "$code" -eq 0 ]; then rm -rf "$tmp"; else echo "install test: files kept in $tmp" >&2; fi
  exit "$code"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
ok() { echo "ok: $*"; }
shows() { cat "$1"; fail "$2"; } # shows LOG MESSAGE

echo "install test of commit $commit (uncommitted changes are not in it)"
git clone -q "$repo" "$tmp/kestrane"
git -C "$tmp/kestrane" checkout -q "$commit"

export HOME="$tmp/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME
data="$HOME/.local/share"
folder="$data/kestrane"
version="Kestrane 1.2.1"

# 1. The README's run command; --version starts the installed copy and exits.
start=$SECONDS
"$tmp/kestrane/scripts/run.sh" --version >"$tmp/run1.log" 2>&1 || shows "$tmp/run1.log" "run.sh"
[ "$(tail -n 1 "$tmp/run1.log")" = "$version" ] || shows "$tmp/run1.log" "run.sh --version"
ok "scripts/run.sh built, installed and started the installed copy in $((SECONDS - start)) s"

# 2. The program folder.
actual=$(cd "$folder" && find . -mindepth 1 | sed 's|^\./||' | sort | tr '\n' ' ')
[ "$actual" = "kestrane sounds sounds/gong.wav sounds/warning.wav " ] || fail "program folder holds: $actual"
ok "program folder $folder: kestrane, sounds/gong.wav, sounds/warning.wav"

# 3. The launcher: valid, and its Exec line (unescaped) starts the installed
# program; also where the folder's path needs quoting.
odd="$tmp/odd place \$HOME"
cmake --install "$tmp/kestrane/build/release" --prefix "$odd" >/dev/null
for launcher in "$data/applications/kestrane.desktop" "$odd/applications/kestrane.desktop"; do
  out=$(desktop-file-validate "$launcher" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate $launcher: $out"
  line=$(sed -n 's/^Exec=//p' "$launcher")
  line=${line//\\\\/\\}
  eval "set -- $line --version"
  [ "$("$@")" = "$version" ] || fail "Exec line of $launcher"
done
ok "launchers valid; their Exec lines with --version print $version, also under '$odd'"

# 4. The icon, as Qt's icon loader finds it in the hicolor theme (on X,
# where Qt searches the XDG data folders).
QT_QPA_PLATFORM=xcb "$probe" icon kestrane >"$tmp/icon.log" || shows "$tmp/icon.log" "icon lookup"
[ -f "$data/icons/hicolor/48x48/apps/kestrane.png" ] || fail "no 48x48 icon under $data/icons"
ok "icon kestrane resolves in hicolor: $(grep -c '^icon ' "$tmp/icon.log") sizes"

# 5. The shipped sounds load in the player the program uses.
"$probe" wav "$folder/sounds/gong.wav" "$folder/sounds/warning.wav" >"$tmp/wav.log" || shows "$tmp/wav.log" "sounds"
ok "gong.wav and warning.wav read by the player's WAV reader"

# 6. A second install keeps the operator's settings.
printf '%s\r\n' "$folder/sounds/gong.wav" "$folder/sounds/warning.wav" 1.1 0.9 1 " 0 " " 1 " " 1 " " 0 " \
  >"$folder/kumite.ini"
cp "$folder/kumite.ini" "$tmp/kumite.saved"
touch "$tmp/kestrane/app/main.cpp" # a rebuild, not just a copy
"$tmp/kestrane/scripts/run.sh" --version >"$tmp/run2.log" 2>&1 || shows "$tmp/run2.log" "second run.sh"
grep -q 'main.cpp' "$tmp/run2.log" || fail "the second run did not rebuild"
cmp -s "$folder/kumite.ini" "$tmp/kumite.saved" || fail "the second install changed kumite.ini"
ok "second build and install kept the changed kumite.ini"

# 7. One program per folder; a crashed run does not block the next start.
window() { # window PID TITLE-REGEX [EXCEPT]: a visible window of the process, if it has one
  xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | grep -vx "${3:-none}" | head -n 1 | grep .
}
has_icon() { xprop -id "$1" _NET_WM_ICON | grep -c 'Icon (48 x 48)' >/dev/null; }
exited() { local s; s=$(ps -o stat= -p "$1" || true); [ -z "$s" ] || [[ "$s" == Z* ]]; }
console='^Kestrane 1\.2\.1$'
"$folder/kestrane" >"$tmp/first.log" 2>&1 &
first=$!; pids+=("$first")
wait_for 20 window "$first" "$console" || shows "$tmp/first.log" "the console did not appear"
win=$(window "$first" "$console")
has_icon "$win" || fail "the console has no window icon: $(xprop -id "$win" _NET_WM_ICON | head -c 300)"
PYTHONPATH="$here/../e2e" /usr/bin/python3 -c 'import desktop as d
d.click_node(d.Accessible("Kestrane").find("push button", "Start Scoreboard"))' || fail "could not press Start Scoreboard"
wait_for 10 window "$first" '' "$win" || fail "the board did not open"
has_icon "$(window "$first" '' "$win")" || fail "the board has no window icon"
ok "the installed program's console and board are up, both with the window icon"

"$folder/kestrane" >"$tmp/second.out" 2>"$tmp/second.err" &
second=$!; pids+=("$second")
wait_for 20 exited "$second" || fail "the second start did not end"
code=0; wait "$second" || code=$?
[ "$code" = 0 ] || fail "the second start ended with $code: $(cat "$tmp/second.err")"
grep -qx 'Kestrane is already running; its console was brought to the front.' "$tmp/second.err" ||
  fail "second start's standard error: $(cat "$tmp/second.err")"
! window "$second" '' >/dev/null || fail "the second start showed a window"
cmp -s "$folder/kumite.ini" "$tmp/kumite.saved" || fail "the second start changed kumite.ini"
kill -0 "$first" || fail "the first program ended"
ok "a second start: the running console raised, no box, a line on stderr, exit 0, settings untouched"

kill -9 "$first"
wait "$first" 2>/dev/null || true
ls "$folder"/kestrane-*.lock >/dev/null 2>&1 || fail "the crash left no lock file (nothing tested)"
"$folder/kestrane" >"$tmp/third.log" 2>&1 &
third=$!; pids+=("$third")
wait_for 20 window "$third" "$console" || shows "$tmp/third.log" "no start after a crash"
ok "after a crash (kill -9) the next start runs"
kill "$third"
echo "install test passed"
