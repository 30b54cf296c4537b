"""End-to-end checks of the console by keyboard and by screen reader."""
# Registered in test_e2e.py's ARRANGEMENTS; each takes the running Operator.

import time

import pyatspi

import desktop as d


def focused(op):
    return next((n.name for n in op.ui.nodes() if n.getState().contains(pyatspi.STATE_FOCUSED)), None)


def keys_follow_the_command(op):
    # Tab reaches Start; Space and S swap Start and Stop under the focus;
    # the KO count's button takes the focus and gives it back.
    op.button("Start ").queryComponent().grabFocus()
    steps = [("space", "Stop"), ("s", "Start "), ("Tab", "KO Timer"),
             ("space", "Stop KO count"), ("space", "KO Timer")]
    seen = []
    for k, expected in steps:
        d.key(k)
        seen.append(d.wait_until(lambda: focused(op) == expected and expected, 2) or focused(op))
    assert seen == [e for _, e in steps], f"focus after {[k for k, _ in steps]}: {seen}"
    op.press("KO Timer")
    panel = [n for n in op.ui.nodes(name="KO count") if d.showing(n)]  # any role
    op.press("Stop KO count")
    assert len(panel) == 1, f"the open count panel is not named: {panel}"


def penalty_names_follow_the_rule_set(op):
    def names():
        return sorted(n.name for n in op.ui.nodes("check box") if " penalty " in n.name)
    other = names()
    op.press("Setup")
    box = op.ui.find("check box", "WUKF")
    d.click_node(box)
    time.sleep(0.3)
    wukf = names()
    d.click_node(box)
    op.press("Close setup")
    for rules, got, present, absent in (
            ("other", other, ["Shiro penalty column A", "Aka penalty row J column A"], "Shiro penalty row A"),
            ("WUKF", wukf, ["Shiro penalty row A first box", "Aka penalty row J second box"], "column A")):
        missing = [n for n in present if n not in got]
        assert len(got) == 22 and not missing, f"{rules}: {missing} missing from {got}"
        assert not [n for n in got if absent in n], f"{rules}: {got}"


def clicks_arm_nothing(op):
    # A click on the board leaves the keyboard with the console; a click on
    # a button leaves Space nothing to press. The board is open.
    ax, ay, aw, ah = op.audience()
    d.run("xdotool", "mousemove", "--sync", str(ax + aw // 4), str(ay + ah // 2), "click", "1")
    time.sleep(0.3)
    assert d.active_window_name() == "Kestrane 1.2.1", f"focus went to {d.active_window_name()!r}"
    before = op.clock_digits()
    assert op.clock_runs_on_s(3), f"S after a click on the board did not start the clock ({before})"
    op.press("Reset time")
    count = lambda: [n.name for n in op.ui.nodes("label") if n.name.startswith("Shiro waza-ari ")]
    was = count()
    op.press("Shiro Waza-ari")
    after = count()
    d.key("space", "Return")
    time.sleep(0.3)
    assert count() == after != was, f"Shiro's waza-ari: {was}, click {after}, Space and Enter {count()}"


def changes_are_announced(op):
    # What a screen reader is told goes out as the one notification's name.
    def said():
        found = op.ui.nodes("notification")
        return found[0].name if len(found) == 1 else f"{len(found)} notifications"
    heard = []
    # From a fresh match: an ippon at the target is not counted again.
    op.press("Reset match")
    op.button("Aka Ippon").queryComponent().grabFocus()
    steps = ((None, "Match reset, 1:30"), ("space", "Aka ippon 1"), ("s", "Clock started at 1:30"),
             ("s", "Clock stopped at "))
    for k, words in steps:
        if k:
            d.key(k)
        heard.append(d.wait_until(lambda: said().startswith(words) and said(), 3) or said())
    assert all(h.startswith(w) for h, (_, w) in zip(heard, steps)), heard


def wayland_board_keys_go_to_the_console(op):
    # Under weston a click gives the board the focus: S typed there still
    # runs the clock. The board is full-screen on weston's second output.
    x, y, w, h = d.geometry(d.x_window("Weston Compositor - screen1"))
    d.run("xdotool", "mousemove", "--sync", str(x + w // 4), str(y + h // 2), "click", "1")
    time.sleep(0.5)
    before = op.clock_digits()
    assert op.clock_runs_on_s(3), f"S typed on the board under Wayland did not start the clock ({before})"
