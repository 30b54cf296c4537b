"""End-to-end checks: a live match survives a crash, a close, a projector blip
and a second start (registered in test_e2e.ARRANGEMENTS)."""

import os
import subprocess
import time

import desktop as d

TITLE = "Kestrane 1.2.1"


def readouts(op):
    """What the console's accessible widgets say: every reading to compare."""
    shown = [n for n in op.ui.nodes() if n.getRoleName() in ("label", "check box", "text") and d.showing(n)]
    return sorted((n.getRoleName(), n.name, d.checked(n),
                   d.text_of(n) if n.getRoleName() == "text" else "") for n in shown)


def board_differs(a, b, rect, step=8):
    """The share of sampled board pixels that differ between two shots."""
    x0, y0, w, h = rect
    points = [(x, y) for x in range(x0, x0 + w, step) for y in range(y0, y0 + h, step)]
    return sum(not d.close_to(a.pixel(*p), b.pixel(*p), 8) for p in points) / len(points)


def seconds(clock):
    m, s = clock.split(":")
    return int(m) * 60 + int(s)


def restart_and_answer(op, yes):
    """Starts the program again; answers the restore question (Yes by Enter,
    the default) and returns its text."""
    op.start()
    assert (boxes := d.wait_until(lambda: d.windows_named("Kestrane"), 10)), "no restore question"
    bx, by, bw, bh = d.geometry(boxes[0])
    assert d.inside((bx + bw // 2, by + bh // 2, 1, 1), d.geometry(op.console, frame=True)), \
        f"the question at {bx},{by} is not on the console"
    text = [n.name for n in op.ui.showing("label") if "Restore this match?" in n.name]
    assert text, "the question does not ask to restore the match"
    if yes:
        d.run("xdotool", "windowactivate", "--sync", str(boxes[0]))
        d.key("Return")
    else:
        d.click_node(op.button("No"))
    assert d.wait_until(lambda: not d.windows_named("Kestrane"), 5), "the question stayed open"
    time.sleep(1.5)
    return text[0]


def click_all(op, *names):
    """Clicks buttons and boxes by name, in order, found in one walk."""
    found = {n.name: n for n in op.ui.nodes() if n.getRoleName() in ("push button", "check box") and d.showing(n)}
    for name in names:
        d.click_node(found[name])
        time.sleep(0.2)


def run_clock(op, on):
    """Start or Stop by its accessible action: no keyboard focus involved."""
    name = "Start" if on else "Stop"
    node = next(n for n in op.ui.nodes("push button") if n.name.strip() == name and d.showing(n))
    node.queryAction().doAction(0)


def kill(op):
    time.sleep(0.3)  # a change is on disk within a moment
    op.kill()


def killed_match_comes_back(op):
    # No winner (a blinking name would make the pictures differ by phase);
    # never the same place twice in a row (xdotool's synced move would wait).
    click_all(op, "Reset match", "Start Scoreboard", "Shiro penalty column C", "Aka Waza-ari")
    run_clock(op, True)
    time.sleep(2.3)
    run_clock(op, False)
    time.sleep(1.2)
    before, picture = readouts(op), op.shot("before-kill")
    kill(op)
    question = restart_and_answer(op, yes=True)
    assert "Aka: ippon 0, waza-ari 1" in question and "Time left: 1:2" in question, question
    assert d.windows_named("Form2"), "the board did not come back"
    assert (after := readouts(op)) == before, f"restored {after}\nbefore the kill {before}"
    share = board_differs(picture, op.shot("restored"), op.audience())
    assert share < 0.002, f"{share:.2%} of the board differs from before the kill"

    kill(op)
    restart_and_answer(op, yes=False)
    assert op.ui.find("label", "Aka waza-ari 0") and op.clock_digits() == "1:30", "No did not start clean"
    assert not [f for f in os.listdir(op.folder) if f.endswith("-match.json")], "No kept the file"
    # The declined match goes into the results log as abandoned, as it stood.
    got = [(r["Aka waza-ari"], r["Shiro penalties"], r["Winner"], r["How"]) for r in op.results()[-1:]]
    assert got == [("1", "C", "none", "abandoned")], f"the declined match was logged as {got}"


def running_clock_and_close_come_back(op):
    click_all(op, "Aka Waza-ari")
    run_clock(op, True)
    time.sleep(2.4)
    at_kill = seconds(op.clock_digits())
    kill(op)
    assert at_kill < 90, "the clock did not run"
    restart_and_answer(op, yes=True)
    restored = seconds(op.clock_digits())
    assert abs(restored - at_kill) <= 1, f"killed at {at_kill} s, restored {restored} s"
    before = readouts(op)
    op.close()
    restart_and_answer(op, yes=True)
    assert readouts(op) == before, "the match after Close did not come back"
    op.press("Reset match")


def projector_blip_brings_the_board_back(op):
    if not d.windows_named("Form2"):
        op.press("Start Scoreboard")
    x, y, w, h = op.audience()
    d.run("xrandr", "--delmonitor", "AUDIENCE")
    time.sleep(0.3)
    d.set_monitor("AUDIENCE", w, h, x, y)
    assert (back := d.wait_until(lambda: d.windows_named("Form2"), 2)), "the board did not come back within 2 s"
    assert d.wait_until(lambda: d.geometry(d.windows_named("Form2")[0], frame=True) == (x, y, w, h), 2), \
        f"the board is at {d.geometry(back[0], frame=True)}, the projector at {(x, y, w, h)}"
    assert d.inside(d.geometry(op.console, frame=True), d.monitors()["OPERATOR"]), "the console moved"


def second_start_raises_the_first(op):
    d.run("xdotool", "windowminimize", "--sync", str(op.console))
    second = subprocess.run([op.exe], cwd="/", capture_output=True, text=True, timeout=20)
    assert second.returncode == 0, f"second start ended with {second.returncode}: {second.stderr}"
    assert "brought to the front" in second.stderr, second.stderr
    assert not d.windows_named("Kestrane"), "the second start showed a box"
    assert d.wait_until(lambda: d.active_window_name() == TITLE, 3), \
        f"the console was not raised: {d.active_window_name()!r} is active"
    assert op.proc.poll() is None, "the first program ended"


def projector_moved_right_leaves_console_on_primary(op):
    # After the projector was unplugged: back, and now right of the laptop
    # (RandR takes a monitor's new place only by removing it first).
    ow, oh = d.monitors()["OPERATOR"][2:]
    output = next(line.split()[0] for line in d.run("xrandr", "--query").splitlines() if " connected" in line)
    d.run("xrandr", "--delmonitor", "AUDIENCE", check=False)
    d.run("xrandr", "--delmonitor", "OPERATOR")
    d.set_monitor("*OPERATOR", ow, oh, 0, 0, output)
    d.set_monitor("AUDIENCE", 1920, 1080, ow, 0)
    operator = (0, 0, ow, oh)
    assert d.wait_until(lambda: d.inside(d.geometry(op.console, frame=True), operator), 3), \
        f"console frame at {d.geometry(op.console, frame=True)}, laptop {operator}"
    op.shot("projector-moved-right")
