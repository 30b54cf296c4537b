#!/usr/bin/python3
"""End-to-end test: the real kestrane executable, as an operator uses it."""
# Runs inside the desktop session.sh makes for one arrangement:
#   session.sh ARRANGEMENT -- test_e2e.py EXE ARTIFACTS ARRANGEMENT
# Copies the executable into a temporary program folder with a kumite.ini that
# names two generated WAV files beside it, starts it from "/", and checks what
# the screens show, what the sound card plays and what the accessibility bus
# reads. Prints one line per check and "N passed, N failed"; screenshots,
# recordings and the program's output go to ARTIFACTS.

import contextlib
import csv
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

import desktop as d
import recover_checks as rc
import sound_checks as snd
import names_checks
import feed_checks
import keys_checks as keys
from day_checks import tournament_day_through_three_matches

TITLE = "Kestrane 1.2.1"
RED, GREY = d.RED, d.GREY
WHITE, YELLOW, DARK_RED, BLACK = (0xFF, 0xFF, 0xFF), (0xFF, 0xFF, 0x00), (143, 0, 0), (0, 0, 0)
SCALE = 1.8 / 15  # board twips to pixels on a 1920 x 1080 monitor
CLOCK = (5160, 2520, 5655, 2295)  # the board's clock digits, in twips


class Operator:
    """The program folder, the running program and what it shows."""

    def __init__(self, exe, artifacts):
        self.artifacts = artifacts
        self.folder = tempfile.mkdtemp(prefix="kestrane-e2e.")
        self.exe = shutil.copy2(exe, os.path.join(self.folder, "kestrane"))
        self.warn_wav = os.path.join(self.folder, "warning.wav")
        d.make_wav(os.path.join(self.folder, "end.wav"), 660)
        d.make_wav(self.warn_wav, 1320)
        self.ini = os.path.join(self.folder, "kumite.ini")
        with open(self.ini, "w", newline="\r\n") as f:
            f.write("end.wav\nwarning.wav\n1\n1\n1\n 0 \n 0 \n 0 \n 0 \n")
        self.log = open(os.path.join(artifacts, "kestrane.log"), "a")
        self.proc = None
        self.helpers = []  # process groups started beside the program
        self.shots = 0

    def start(self, platform="xcb", **env):
        env = dict(os.environ, QT_QPA_PLATFORM=platform, **env)
        self.proc = subprocess.Popen([self.exe], cwd="/", env=env, stdout=self.log, stderr=self.log)
        if platform == "xcb":
            d.wait_until(lambda: d.windows_named(TITLE) or self.proc.poll() is not None, 20)
            assert self.proc.poll() is None and d.windows_named(TITLE), "the console did not appear"
            self.console = d.windows_named(TITLE)[0]
        self.ui = d.Accessible("Kestrane", timeout=20)
        time.sleep(0.5)

    def close(self):
        """Close on the console: the program ends at once, asking nothing."""
        self.press("Close")
        assert d.wait_until(lambda: self.proc.poll() is not None, 5), "the program did not end"

    def kill(self):
        self.proc.kill()
        self.proc.wait()

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.kill()
        for p in self.helpers:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(p.pid, 9)
            p.wait()

    def file(self, name):
        return os.path.join(self.artifacts, name)

    def shot(self, name):
        self.shots += 1
        return d.Shot(self.file(f"{self.shots:02d}-{name}.png"))

    # Widgets by role and name; index counts left to right.
    def button(self, name, index=0):
        return self.ui.find("push button", name, index)

    def press(self, name, index=0):
        d.click_node(self.button(name, index))
        time.sleep(0.3)

    def clock_digits(self):  # the console's clock: its one accessible text "Match clock m:ss"
        names = [n.name for n in self.ui.nodes("label") if n.name.startswith("Match clock ")]
        assert len(names) == 1, f"match clock labels: {names}"
        return names[0][len("Match clock "):]

    def clock_runs_on_s(self, timeout):
        """S, then S again: the clock's first reading that differs from before, or None."""
        before = self.clock_digits()
        d.key("s")
        running = d.wait_until(lambda: self.clock_digits() != before and self.clock_digits(), timeout)
        d.key("s")
        return running

    def set_match_time(self, minutes, seconds):
        for box, value in (("Match time minutes", minutes), ("Match time seconds", seconds)):
            d.set_text(self.ui.find("text", box), value)
        self.press("Reset time")

    def results(self):
        """The rows of the results log in the program folder ([] before it has one)."""
        for path in glob.glob(os.path.join(self.folder, "*-results.csv")):
            with open(path, encoding="utf-8-sig", newline="") as f:
                return list(csv.DictReader(f))
        return []

    def audience(self):
        return d.monitors().get("AUDIENCE")

    def board_point(self, tx, ty):  # a design-twip point of the board, on the screen
        x0, y0, _, _ = self.audience()
        return int(x0 + tx * SCALE), int(y0 + ty * SCALE)

    def board_rect(self, tx, ty, tw, th):
        return *self.board_point(tx, ty), int(tw * SCALE), int(th * SCALE)


def set_box(node, text):
    d.click_node(node)
    d.key("ctrl+a", "BackSpace")
    d.type_text(text)


def open_board(op, name):
    op.press("Start Scoreboard")
    time.sleep(1.0)
    return op.shot(name)


# --- two monitors, in the order an operator meets them -----------------------

def console_appears_with_settings(op):
    assert d.inside(d.geometry(op.console), d.monitors()["OPERATOR"]), f"console at {d.geometry(op.console)}"
    op.press("Setup")
    texts = {n.name: d.text_of(n) for n in op.ui.showing("text")}
    assert (texts.get("End-of-match sound file"), texts.get("Warning sound file")) == ("end.wav", "warning.wav"), \
        f"setup boxes: {texts}"
    op.press("Close setup")


def controls_say_what_they_are_for(op):
    for name in ("Shiro Ippon", "Aka Ippon", "Shiro Waza-ari minus one", "Aka Waza-ari minus one"):
        op.button(name)
    for name in ("Shiro ippon 0", "Aka waza-ari 0", "Match clock 1:30"):
        op.ui.find("label", name)
    labels = [n.name for n in op.ui.showing("label")]
    buttons = [n.name for n in op.ui.nodes("push button")]
    # One ":" is the match time's; the clock's digits are one text.
    assert labels.count(":") == 1 and "0" not in labels, f"bare readouts: {labels}"
    assert "-1" not in buttons and "Ippon" not in buttons, f"buttons without a side: {buttons}"
    running = op.clock_runs_on_s(4)  # the clock's one name follows it as it runs
    op.press("Reset time")
    assert running in ("1:29", "1:28", "1:27"), f"the clock's name did not run from 1:30: {running}"


def board_fills_audience_monitor(op):
    s = open_board(op, "board-opened")
    wrong = d.halves_wrong(s, op.audience(), RED, GREY)
    assert not wrong, f"red and grey halves of the audience monitor: {wrong}"
    fx, fy = op.board_point(6840 + 150, 120 + 900)
    assert d.close_to(s.pixel(fx, fy), WHITE), f"field-number box at {fx},{fy}: {s.pixel(fx, fy)}"
    # Nothing of the board shows on the operator's monitor.
    assert d.geometry(op.console)[0] < op.audience()[0]
    assert d.active_window_name() == TITLE, f"focus went to {d.active_window_name()!r}"


def ippon_sounds_the_end_and_blinks_aka(op):
    quiet, _ = d.record(op.file("before-ippon.wav"))
    assert quiet < -60, f"{quiet:.1f} dBFS before the ippon"
    plate = op.board_rect(360, 0, 2145, 1395)

    def ippon():
        op.press("Aka Ippon")
        return d.burst(plate, 6, 0.25)  # over 1.5 s: three blink phases

    loud, shots = d.record(op.file("ippon.wav"), ippon, 0)
    assert loud > -40, f"{loud:.1f} dBFS after the ippon"
    lit = [s.count((0, 0, s.width, s.height), GREY, 30) > 200 for s in shots]
    assert any(lit) and not all(lit), f"Aka's name never blinked: light grey in {lit}"


def penalty_lights_its_lamp(op):
    lamp = op.board_point(360 + 1830 + 300, 1440 + 840 + 300)
    assert not d.close_to(d.Shot().pixel(*lamp), YELLOW), "lamp lit before the box was ticked"
    d.click_node(op.ui.find("check box", "Aka penalty column A"))
    assert d.wait_until(lambda: d.close_to(d.Shot().pixel(*lamp), YELLOW), 2), f"lamp at {lamp} not lit"


def s_key_runs_the_clock_and_warns_at_thirty_seconds(op):
    op.press("Reset match")
    assert op.clock_digits() == "1:30", op.clock_digits()
    set_box(op.ui.find("text", "Match time minutes"), "0")
    set_box(op.ui.find("text", "Match time seconds"), "33")
    op.press("Reset time")
    assert op.clock_digits() == "0:33", op.clock_digits()

    def run_to_thirty():
        d.key("s")
        return d.wait_until(lambda: op.clock_digits() == "0:30", 5)

    loud, reached = d.record(op.file("warning.wav"), run_to_thirty, 0.8)
    assert reached, op.clock_digits()
    assert loud > -40, f"{loud:.1f} dBFS at 0:30"
    assert op.shot("warning").count(op.board_rect(*CLOCK), DARK_RED, 20) > 500, "the board's clock is not dark red"
    d.key("s")
    stopped = op.clock_digits()
    time.sleep(1.5)
    assert op.clock_digits() == stopped, "the clock still runs after the second S"


def warning_file_replaced_after_a_failed_load_plays(op):
    op.press("Setup")
    levels = []
    for encoding, bits in (("u-law", "8"), ("signed-integer", "16")):
        d.make_wav(op.warn_wav, 1320, "-e", encoding, "-b", bits)
        levels.append(d.record(op.file(f"warning-{bits}.wav"), lambda: op.press("Warning"))[0])
    op.press("Close setup")
    assert min(levels) > -40, f"u-law file, then its replacement: {levels} dBFS"


def ko_replaces_the_board_clock(op):
    count, clock = op.board_rect(5880, 520, 4215, 3135), op.board_rect(*CLOCK)
    before = d.Shot().count(count, BLACK, 30)
    op.press("KO Timer")
    time.sleep(0.6)
    s = op.shot("ko")
    assert s.count(clock, DARK_RED, 20) == 0, "the clock still shows during the count"
    assert (after := s.count(count, BLACK, 30)) > before + 2000, f"no count on the board ({before} -> {after} black)"
    op.press("Stop KO count")
    time.sleep(0.4)
    assert d.Shot().count(clock, DARK_RED, 20) > 500, "the clock did not come back"


def external_mirror_reopens_red_on_the_right(op):
    op.press("Setup")
    d.click_node(op.ui.find("check box", "external"))
    time.sleep(0.6)
    ax, ay, aw, ah = op.audience()
    assert not d.close_to(op.shot("board-closed").pixel(ax + 4, ay + ah - 8), RED), "the board is still open"
    wrong = d.halves_wrong(open_board(op, "board-mirrored"), op.audience(), GREY, RED)
    assert not wrong, f"not Shiro's grey left and Aka's red right: {wrong}"


def save_and_restart_keeps_the_option(op):
    box = op.ui.find("check box", "Two Waza-ari is one Ippon")
    was = d.checked(box)
    d.click_node(box)
    op.press("Save")
    d.click_node(op.button("OK"))
    with open(op.ini, "rb") as f:
        lines = f.read().decode().split("\r\n")
    assert lines[7] == (" 0 " if was else " 1 "), lines
    op.press("Reset match")  # nothing under way: the next start asks nothing
    op.close()  # with the board open: both windows go
    assert not d.windows_named(TITLE) and not d.windows_named("Form2"), "a window is left behind"
    op.start()
    op.press("Setup")
    assert d.checked(op.ui.find("check box", "Two Waza-ari is one Ippon")) != was, "the option did not come back"


def middle_click_paste_keeps_digits(op):
    scale = op.ui.find("text", "Font scale")  # setup is open
    d.set_text(scale, "2abc.5")
    x, y, w, h = d.extents(scale)
    # A drag over the text selects it: the X11 selection.
    d.run("xdotool", "mousemove", "--sync", str(x + 2), str(y + h // 2), "mousedown", "1",
          "mousemove", "--sync", str(x + w - 2), str(y + h // 2), "mouseup", "1")
    target = op.ui.find("text", "Number of Ippon")
    d.click_node(target, "2")
    time.sleep(0.3)
    pasted = d.text_of(target)
    for box in (target, scale):
        d.set_text(box, "1")
    assert sorted(pasted) == ["1", "2", "5"], f"the middle click pasted {pasted!r}"


def window_manager_close_asks_during_a_match(op):
    op.press("Shiro Waza-ari")
    d.key("alt+F4")
    d.click_node(op.button("No"))
    time.sleep(0.5)
    assert op.proc.poll() is None and d.windows_named(TITLE), "No closed the console"
    assert op.ui.find("label", "Shiro waza-ari 1"), "the score was lost"


# --- one monitor --------------------------------------------------------------

def single_monitor_board_is_visible(op):
    s = open_board(op, "one-screen")
    x, y, w, h = operator = d.monitors()["OPERATOR"]
    reds, greys = s.count(operator, RED, 10), s.count(operator, GREY, 4)
    assert reds > w * h // 8 and greys > w * h // 8, f"board not visible: {reds} red, {greys} grey"


# --- the projector left of the laptop ------------------------------------------

def console_home():
    # Where start-up puts the console's frame: (2000, 100) twips from the
    # primary's corner, title bar included.
    x, y, _, _ = d.monitors()["OPERATOR"]
    return x + 133, y + 7


def projector_left_keeps_console_and_board_apart(op):
    frame = d.geometry(op.console, frame=True)
    assert frame[:2] == console_home(), f"console frame at {frame}"
    assert d.inside(frame, d.monitors()["OPERATOR"]), f"console frame {frame} not wholly on the laptop"
    s = open_board(op, "projector-left")
    boards = d.windows_named("Form2")
    board = boards and d.geometry(boards[0], frame=True)
    assert board == op.audience(), f"board at {board}, projector {op.audience()}"
    wrong = d.halves_wrong(s, op.audience(), RED, GREY)
    assert not wrong, f"red and grey halves of the projector: {wrong}"
    assert d.geometry(op.console, frame=True) == frame, "the board moved the console"
    assert d.active_window_name() == TITLE, f"focus went to {d.active_window_name()!r}"


def unplugged_projector_sends_console_home(op):
    # The operator has dragged the console onto the projector; then the
    # projector goes.
    ax, ay, _, _ = op.audience()
    d.run("xdotool", "windowmove", str(op.console), str(ax + 300), str(ay + 200))
    assert d.wait_until(lambda: d.inside(d.geometry(op.console, frame=True), op.audience()), 3), \
        f"console not moved onto the projector: {d.geometry(op.console, frame=True)}"
    d.run("xrandr", "--delmonitor", "AUDIENCE")
    home = console_home()
    assert d.wait_until(lambda: d.geometry(op.console, frame=True)[:2] == home, 5), \
        f"console frame at {d.geometry(op.console, frame=True)} after unplugging, expected {home}"
    assert d.wait_until(lambda: not d.windows_named("Form2"), 3), "the board outlived its screen"
    op.shot("projector-unplugged")
    assert d.active_window_name() == TITLE, f"focus went to {d.active_window_name()!r}"


# --- Wayland: weston's two outputs are X windows on one wide monitor ------------

OUTPUTS = {"screen0": "1280x800", "screen1": "1920x1080"}  # laptop, projector


def board_full_screen_under_wayland(op):
    # A Wayland client cannot place its windows: the board has to ask for
    # full-screen on its target output.
    runtime = os.path.join(op.folder, "runtime")
    os.makedirs(runtime, mode=0o700)
    ini = os.path.join(op.folder, "weston.ini")
    with open(ini, "w") as f:
        f.writelines(f"[output]\nname={name}\nmode={mode}\n\n" for name, mode in OUTPUTS.items())
    # Its own process group: weston starts helper clients of its own.
    op.helpers.append(subprocess.Popen(
        ["weston", "--backend=x11-backend.so", f"--output-count={len(OUTPUTS)}", "--use-pixman",
         f"--config={ini}", "--socket=kestrane"], env=dict(os.environ, XDG_RUNTIME_DIR=runtime),
        stdout=op.log, stderr=op.log, start_new_session=True))
    assert d.wait_until(lambda: os.path.exists(os.path.join(runtime, "kestrane")), 15), "no weston"
    # Its outputs side by side, the laptop first.
    x, outputs = 0, []
    for name, mode in OUTPUTS.items():
        wid = d.wait_until(lambda: d.x_window(f"Weston Compositor - {name}"), 15)
        assert wid, f"no weston output {name}"
        d.run("xdotool", "windowmove", "--sync", str(wid), str(x), "0", check=False)
        outputs.append(wid)
        x += int(mode.split("x")[0]) + 20
    time.sleep(1.0)
    laptop, projector = (d.geometry(wid) for wid in outputs)
    # The operator's pointer rests on the laptop.
    d.run("xdotool", "mousemove", str(laptop[0] + 50), str(laptop[1] + laptop[3] - 50))
    op.start("wayland", WAYLAND_DISPLAY="kestrane", XDG_RUNTIME_DIR=runtime)
    op.button("Start Scoreboard").queryAction().doAction(0)
    time.sleep(1.5)
    s = op.shot("wayland")
    wrong = d.halves_wrong(s, projector, RED, GREY)
    x, y, w, h = projector
    if not d.close_to(s.pixel(x + w - 4, y + 4), GREY):  # weston's panel: covered only when full-screen
        wrong["top right"] = s.pixel(x + w - 4, y + 4)
    assert not wrong, f"the board does not cover the second output: {wrong}"
    _, _, lw, lh = laptop
    reds, greys = s.count(laptop, RED, 10), s.count(laptop, GREY, 4)
    assert reds < lw * lh // 8 or greys < lw * lh // 8, f"a board on the laptop too ({reds} red, {greys} grey)"


ARRANGEMENTS = {
    "two-screens": [
        console_appears_with_settings, controls_say_what_they_are_for, board_fills_audience_monitor,
        names_checks.names_on_the_board,
        ippon_sounds_the_end_and_blinks_aka, penalty_lights_its_lamp,
        keys.keys_follow_the_command, keys.penalty_names_follow_the_rule_set, keys.clicks_arm_nothing,
        keys.changes_are_announced,
        s_key_runs_the_clock_and_warns_at_thirty_seconds, warning_file_replaced_after_a_failed_load_plays,
        ko_replaces_the_board_clock, external_mirror_reopens_red_on_the_right,
        save_and_restart_keeps_the_option, middle_click_paste_keeps_digits,
        window_manager_close_asks_during_a_match,
        snd.end_of_match_plays_24_bit_and_mu_law, snd.missing_end_file_sounds_the_built_in_end_and_says_why,
        snd.sound_follows_the_default_output, snd.qt_options_beside_ours,
        rc.killed_match_comes_back,
        rc.running_clock_and_close_come_back, rc.projector_blip_brings_the_board_back,
        rc.second_start_raises_the_first,
        # The feed check first: the day turns the feed on and keeps that choice.
        feed_checks.feed_found_and_switched_from_the_console, tournament_day_through_three_matches,
    ],
    "one-screen": [single_monitor_board_is_visible],
    "projector-left": [projector_left_keeps_console_and_board_apart, unplugged_projector_sends_console_home,
                       rc.projector_moved_right_leaves_console_on_primary],
    "wayland": [board_full_screen_under_wayland, keys.wayland_board_keys_go_to_the_console],  # starts the program itself
}


def main():
    exe, artifacts, arrangement = sys.argv[1:]
    os.makedirs(artifacts, exist_ok=True)
    op = Operator(os.path.abspath(exe), artifacts)
    checks = ([] if arrangement == "wayland" else [Operator.start]) + ARRANGEMENTS[arrangement]
    passed = failed = 0
    try:
        for check in checks:
            t = time.time()
            try:
                check(op)
                passed += 1
                print(f"PASS {check.__name__} ({time.time() - t:.1f} s)", flush=True)
            except Exception as e:  # one failed check does not stop the others
                failed += 1
                print(f"FAIL {check.__name__}: {e}", flush=True)
                traceback.print_exc()
                with contextlib.suppress(Exception):
                    op.shot(f"fail-{check.__name__}")
                if check is Operator.start:
                    break
    finally:
        op.stop()
        shutil.rmtree(op.folder, ignore_errors=True)
    print(f"e2e {arrangement}: {passed} passed, {failed} failed", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
