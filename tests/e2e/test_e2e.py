#!/usr/bin/python3
"""End-to-end test: the real kestrane executable, as an operator uses it.

Run inside session.sh, which provides the desktop (two monitors, a window
manager, a null-sink sound server, the accessibility bus):

    session.sh -- test_e2e.py --exe build/dev/kestrane --artifacts DIR
    session.sh --one-screen -- test_e2e.py --exe ... --one-screen
    session.sh --projector-left -- test_e2e.py --exe ... --projector-left

Copies the executable into a temporary program folder with a kumite.ini that
names two generated WAV files beside it, starts it from "/", and checks what
the screens show and what the sound card plays. Prints one line per check and a closing line
"N passed, N failed"; keeps screenshots and recordings in the artifacts
folder when anything fails.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

import desktop as d
import input_checks as ic

TITLE = "Kestrane 1.2.1"
RED = (0xC0, 0x00, 0x00)
GREY = (0xE0, 0xE0, 0xE0)
WHITE = (0xFF, 0xFF, 0xFF)
YELLOW = (0xFF, 0xFF, 0x00)
DARK_RED = (143, 0, 0)
BLACK = (0, 0, 0)
SCALE = 1.8 / 15  # board twips to pixels on a 1920 x 1080 monitor


class Operator:
    """The program folder, the running program and what it shows."""

    def __init__(self, exe, artifacts):
        self.artifacts = artifacts
        self.folder = tempfile.mkdtemp(prefix="kestrane-e2e.")
        self.exe = os.path.join(self.folder, "kestrane")
        shutil.copy2(exe, self.exe)
        self.warn_wav = os.path.join(self.folder, "warning.wav")
        make_wav(os.path.join(self.folder, "end.wav"), 660)
        make_wav(self.warn_wav, 1320)
        self.write_ini(["end.wav", "warning.wav", "1", "1", "1", " 0 ", " 0 ", " 0 ", " 0 "])
        self.proc = None
        self.ui = None
        self.shots = 0

    def write_ini(self, lines):
        with open(os.path.join(self.folder, "kumite.ini"), "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode())

    def ini_lines(self):
        with open(os.path.join(self.folder, "kumite.ini"), "rb") as f:
            return f.read().decode().split("\r\n")

    def start(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb")
        self.log = open(os.path.join(self.artifacts, "kestrane.log"), "a")
        self.proc = subprocess.Popen([self.exe], cwd="/", env=env, stdout=self.log, stderr=self.log)
        end = time.time() + 20
        while not d.windows_named(TITLE):
            if time.time() > end or self.proc.poll() is not None:
                raise AssertionError("the console did not appear")
            time.sleep(0.1)
        self.console = d.windows_named(TITLE)[0]
        self.ui = d.Accessible("Kestrane")
        time.sleep(0.5)

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()

    def shot(self, name):
        self.shots += 1
        return d.Shot(os.path.join(self.artifacts, f"{self.shots:02d}-{name}.png"))

    # Widgets by role and name; index counts left to right.
    def button(self, name, index=0, timeout=5):
        return self.ui.find("push button", name, index, timeout)

    def press(self, name, index=0):
        d.click_node(self.button(name, index))
        time.sleep(0.3)

    def clock_digits(self):
        """The console's clock as text: its one accessible text "Match clock m:ss"."""
        names = [n.name for n in self.ui.nodes("label") if n.name.startswith("Match clock ")]
        assert len(names) == 1, f"match clock labels: {names}"
        return names[0][len("Match clock "):]

    def audience(self):
        return d.monitors().get("AUDIENCE")

    def board_point(self, tx, ty):
        """A design-twip point of the board, on the screen (uniform 1.8 scale)."""
        x0, y0, _, _ = self.audience()
        return int(x0 + tx * SCALE), int(y0 + ty * SCALE)

    def board_rect(self, tx, ty, tw, th):
        x, y = self.board_point(tx, ty)
        return x, y, int(tw * SCALE), int(th * SCALE)


def make_wav(path, freq, encoding="signed-integer", bits="16"):  # u-law cannot play
    subprocess.run(["sox", "-n", "-e", encoding, "-b", bits, "-r", "48000", "-c", "1", path, "synth",
                    "0.6", "sine", str(freq), "vol", "0.8", "pad", "0.05", "0.3"], check=True)


def wait_until(predicate, timeout, step=0.1):
    end = time.time() + timeout
    while time.time() < end:
        if predicate():
            return True
        time.sleep(step)
    return predicate()


# --- the checks, in the order an operator meets them -------------------------

def console_appears_with_settings(op):
    x, y, w, h = d.window_geometry(op.console)
    ox, oy, ow, oh = d.monitors()["OPERATOR"]
    assert ox <= x and x + w <= ox + ow and y + h <= oy + oh, f"console at {x},{y} {w}x{h}"
    op.press("Setup")
    texts = {n.name: d.text_of(n) for n in op.ui.nodes("text") if d.showing(n)}
    assert texts.get("End-of-match sound file") == "end.wav", f"setup boxes: {texts}"
    assert texts.get("Warning sound file") == "warning.wav", f"setup boxes: {texts}"
    op.press("Close setup")


def board_fills_audience_monitor(op):
    op.press("Start Scoreboard")
    time.sleep(1.0)
    s = op.shot("board-opened")
    ax, ay, aw, ah = op.audience()
    y = ay + ah - 8
    assert d.close_to(s.pixel(ax + 4, y), RED), s.pixel(ax + 4, y)
    assert d.close_to(s.pixel(ax + aw // 2 - 4, y), RED), "red half ends before the middle"
    assert d.close_to(s.pixel(ax + aw // 2 + 4, y), GREY), "grey half starts after the middle"
    assert d.close_to(s.pixel(ax + aw - 4, y), GREY), s.pixel(ax + aw - 4, y)
    fx, fy = op.board_point(6840 + 150, 120 + 900)
    assert d.close_to(s.pixel(fx, fy), WHITE), f"field-number box at {fx},{fy}: {s.pixel(fx, fy)}"
    # Nothing of the board shows on the operator's monitor.
    assert d.window_geometry(op.console)[0] < ax
    assert d.active_window_name() == TITLE, f"focus went to {d.active_window_name()!r}"


def ippon_sounds_the_end_and_blinks_aka(op):
    rec = d.Recording(os.path.join(op.artifacts, "before-ippon.wav")).start()
    time.sleep(1.0)
    quiet = rec.stop()
    assert quiet < -60, f"{quiet:.1f} dBFS before the ippon"
    rec = d.Recording(os.path.join(op.artifacts, "ippon.wav")).start()
    op.press("Aka Ippon")
    plate = op.board_rect(360, 0, 2145, 1395)
    shots = d.burst(plate, 6, 0.25)  # over 1.5 s: three blink phases
    samples = [s.count((0, 0, s.width, s.height), GREY, 30) for s in shots]
    loud = rec.stop()
    assert loud > -40, f"{loud:.1f} dBFS after the ippon"
    print(f"  sound: {quiet:.1f} dBFS before, {loud:.1f} dBFS after; plate samples {samples}")
    assert len(samples) >= 4, f"only {len(samples)} samples in 1.5 s"
    lit = [n > 200 for n in samples]
    assert any(lit) and not all(lit), f"Aka's name never blinked: light-grey pixels {samples}"


def penalty_lights_its_lamp(op):
    box = op.ui.find("check box", "Aka penalty A row 1")
    lamp = op.board_point(360 + 1830 + 300, 1440 + 840 + 300)
    before = d.Shot().pixel(*lamp)
    assert not d.close_to(before, YELLOW), "lamp lit before the box was ticked"
    d.click_node(box)
    assert wait_until(lambda: d.close_to(d.Shot().pixel(*lamp), YELLOW), 2), \
        f"lamp at {lamp} is {d.Shot().pixel(*lamp)}"


def s_key_runs_the_clock_and_warns_at_thirty_seconds(op):
    op.press("Reset match")
    assert op.clock_digits() == "1:30", op.clock_digits()
    set_box(op.ui.find("text", "Match time minutes"), "0")
    set_box(op.ui.find("text", "Match time seconds"), "33")
    op.press("Reset time")
    assert op.clock_digits() == "0:33", op.clock_digits()
    rec = d.Recording(os.path.join(op.artifacts, "warning.wav")).start()
    d.key("s")
    assert wait_until(lambda: op.clock_digits() == "0:30", 5), op.clock_digits()
    time.sleep(0.8)
    loud = rec.stop()
    assert loud > -40, f"{loud:.1f} dBFS at 0:30"
    s = op.shot("warning")
    clock = op.board_rect(5160, 2520, 5655, 2295)
    assert s.count(clock, DARK_RED, 20) > 500, "the board's clock is not dark red"
    d.key("s")
    stopped = op.clock_digits()
    time.sleep(1.5)
    assert op.clock_digits() == stopped, "the clock still runs after the second S"


def warning_file_replaced_after_a_failed_load_plays(op):
    op.press("Setup")
    levels = []
    for encoding, bits in (("u-law", "8"), ("signed-integer", "16")):
        make_wav(op.warn_wav, 1320, encoding, bits)
        rec = d.Recording(os.path.join(op.artifacts, f"warning-{bits}.wav")).start()
        op.press("Warning")
        time.sleep(1.0)
        levels.append(rec.stop())
    op.press("Close setup")
    assert levels[0] < -60 and levels[1] > -40, f"u-law file, then its replacement: {levels} dBFS"


def set_box(node, text):
    d.click_node(node)
    d.key("ctrl+a")
    d.key("BackSpace")
    d.type_text(text)


def ko_replaces_the_board_clock(op):
    count = op.board_rect(5880, 520, 4215, 3135)
    before = d.Shot().count(count, BLACK, 30)
    op.press("KO Timer")
    time.sleep(0.6)
    s = op.shot("ko")
    clock = op.board_rect(5160, 2520, 5655, 2295)
    assert s.count(clock, DARK_RED, 20) == 0, "the clock still shows during the count"
    after = s.count(count, BLACK, 30)
    assert after > before + 2000, f"no count on the board (black pixels {before} -> {after})"
    op.press("Stop", 0)
    time.sleep(0.4)
    assert d.Shot().count(clock, DARK_RED, 20) > 500, "the clock did not come back"


def external_mirror_reopens_red_on_the_right(op):
    op.press("Setup")
    d.click_node(op.ui.find("check box", "external"))
    time.sleep(0.6)
    ax, ay, aw, ah = op.audience()
    s = op.shot("board-closed")
    y = ay + ah - 8
    assert not d.close_to(s.pixel(ax + 4, y), RED), "the board is still open"
    op.press("Start Scoreboard")
    time.sleep(1.0)
    s = op.shot("board-mirrored")
    assert d.close_to(s.pixel(ax + aw - 4, y), RED), "Aka's red half is not on the right"
    assert d.close_to(s.pixel(ax + 4, y), GREY), "Shiro's grey half is not on the left"


def save_and_restart_keeps_the_option(op):
    box = op.ui.find("check box", "Two Waza-ari is one Ippon")
    was = d.checked(box)
    d.click_node(box)
    op.press("Save")
    ok = op.ui.find("push button", "OK", timeout=5)
    d.click_node(ok)
    lines = op.ini_lines()
    assert lines[7] == (" 0 " if was else " 1 "), lines
    op.press("Close")  # with the board open: both windows go, the program ends
    assert wait_until(lambda: op.proc.poll() is not None, 5), "the program did not end"
    assert not d.windows_named(TITLE), "a console window is left behind"
    assert not d.windows_named("Form2"), "a board window is left behind"
    op.start()
    op.press("Setup")
    box = op.ui.find("check box", "Two Waza-ari is one Ippon")
    assert d.checked(box) != was, "the saved option did not come back"


def single_monitor_board_is_visible(op):
    op.press("Start Scoreboard")
    time.sleep(1.0)
    s = op.shot("one-screen")
    x, y, w, h = d.monitors()["OPERATOR"]
    reds = s.count((x, y, w, h), RED, 10)
    greys = s.count((x, y, w, h), GREY, 4)
    assert reds > w * h // 8 and greys > w * h // 8, f"board not visible: {reds} red, {greys} grey"


# --- the projector left of the laptop (session.sh --projector-left) ----------

def inside(rect, outer):
    x, y, w, h = rect
    ox, oy, ow, oh = outer
    return ox <= x and oy <= y and x + w <= ox + ow and y + h <= oy + oh


def projector_left_keeps_console_and_board_apart(op):
    laptop = d.monitors()["OPERATOR"]
    frame = d.frame_geometry(op.console)
    # (2000, 100) twips from the primary's corner, title bar included.
    assert frame[:2] == (laptop[0] + 133, laptop[1] + 7), f"console frame at {frame}"
    assert inside(frame, laptop), f"console frame {frame} not wholly on the laptop {laptop}"
    op.press("Start Scoreboard")
    time.sleep(1.0)
    s = op.shot("projector-left")
    ax, ay, aw, ah = op.audience()
    boards = d.windows_named("Form2")
    assert boards and d.frame_geometry(boards[0]) == (ax, ay, aw, ah), \
        f"board at {boards and d.frame_geometry(boards[0])}, projector {op.audience()}"
    y = ay + ah - 8
    assert d.close_to(s.pixel(ax + 4, y), RED) and d.close_to(s.pixel(ax + aw - 4, y), GREY), \
        f"projector corners {s.pixel(ax + 4, y)} {s.pixel(ax + aw - 4, y)}"
    assert d.frame_geometry(op.console) == frame, "the board moved the console"
    assert d.active_window_name() == TITLE, f"focus went to {d.active_window_name()!r}"


def unplugged_projector_sends_console_home(op):
    # The operator has dragged the console onto the projector; then the
    # projector goes.
    ax, ay, _, _ = op.audience()
    d.run("xdotool", "windowmove", str(op.console), str(ax + 300), str(ay + 200))
    assert wait_until(lambda: inside(d.frame_geometry(op.console), op.audience()), 3), \
        f"console not moved onto the projector: {d.frame_geometry(op.console)}"
    d.run("xrandr", "--delmonitor", "AUDIENCE")
    laptop = d.monitors()["OPERATOR"]
    home = (laptop[0] + 133, laptop[1] + 7)
    assert wait_until(lambda: d.frame_geometry(op.console)[:2] == home, 5), \
        f"console frame at {d.frame_geometry(op.console)} after unplugging, expected {home}"
    assert wait_until(lambda: not d.windows_named("Form2"), 3), "the board outlived its screen"
    op.shot("projector-unplugged")
    assert d.active_window_name() == TITLE, f"focus went to {d.active_window_name()!r}"


PROJECTOR_LEFT = [
    projector_left_keeps_console_and_board_apart,
    unplugged_projector_sends_console_home,
]

TWO_SCREENS = [
    console_appears_with_settings,
    ic.controls_say_what_they_are_for,
    board_fills_audience_monitor,
    ippon_sounds_the_end_and_blinks_aka,
    penalty_lights_its_lamp,
    s_key_runs_the_clock_and_warns_at_thirty_seconds,
    warning_file_replaced_after_a_failed_load_plays,
    ko_replaces_the_board_clock,
    external_mirror_reopens_red_on_the_right,
    save_and_restart_keeps_the_option,
    ic.middle_click_paste_keeps_digits,
    ic.window_manager_close_asks_during_a_match,
]
ONE_SCREEN = [single_monitor_board_is_visible]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--artifacts", required=True)
    ap.add_argument("--one-screen", action="store_true")
    ap.add_argument("--projector-left", action="store_true")
    args = ap.parse_args()
    checks = ONE_SCREEN if args.one_screen else PROJECTOR_LEFT if args.projector_left else TWO_SCREENS
    os.makedirs(args.artifacts, exist_ok=True)

    op = Operator(os.path.abspath(args.exe), args.artifacts)
    passed = failed = 0
    try:
        op.start()
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
                try:
                    op.shot(f"fail-{check.__name__}")
                except Exception:
                    pass
    except Exception as e:
        failed += 1
        print(f"FAIL start: {e}", flush=True)
    finally:
        op.stop()
        shutil.rmtree(op.folder, ignore_errors=True)
    print(f"e2e: {passed} passed, {failed} failed", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
