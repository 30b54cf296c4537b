"""End-to-end checks of the operator's input: what assistive tools hear, the
X11 selection paste, and the window manager's close during a match.

Each takes the Operator of test_e2e.py and leaves the console as it found it
(the last one leaves a score on the board for the Close button that follows).
"""

import time

import desktop as d

TITLE = "Kestrane 1.2.1"


def controls_say_what_they_are_for(op):
    for name in ("Shiro Ippon", "Aka Ippon", "Shiro Waza-ari minus one", "Aka Waza-ari minus one"):
        op.button(name)
    for name in ("Shiro ippon 0", "Aka waza-ari 0", "Match clock 1:30"):
        op.ui.find("label", name)
    labels = [n.name for n in op.ui.nodes("label") if d.showing(n)]
    buttons = [n.name for n in op.ui.nodes("push button")]
    # One ":" is the match time's; the clock's digits are one text.
    assert labels.count(":") == 1 and "0" not in labels, f"bare readouts: {labels}"
    assert "-1" not in buttons and "Ippon" not in buttons, f"buttons without a side: {buttons}"
    # The clock's one name follows it as it runs.
    d.key("s")
    end = time.time() + 4
    while op.clock_digits() == "1:30" and time.time() < end:
        time.sleep(0.1)
    running = op.clock_digits()
    d.key("s")
    op.press("Reset time")
    assert running in ("1:29", "1:28", "1:27"), f"the clock's name did not run: {running}"


def middle_click_paste_keeps_digits(op):
    opened = not [n for n in op.ui.nodes("push button", "Close setup") if d.showing(n)]
    if opened:
        op.press("Setup")
    scale = op.ui.find("text", "Font scale")
    scale.queryEditableText().setTextContents("2abc.5")
    x, y, w, h = d.extents(scale)
    # A drag over the text selects it: the X11 selection.
    d.run("xdotool", "mousemove", "--sync", str(x + 2), str(y + h // 2), "mousedown", "1",
          "mousemove", "--sync", str(x + w - 2), str(y + h // 2), "mouseup", "1")
    target = op.ui.find("text", "Number of Ippon")
    x, y, w, h = d.extents(target)
    d.run("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "2")
    time.sleep(0.3)
    pasted = d.text_of(target)
    target.queryEditableText().setTextContents("1")
    scale.queryEditableText().setTextContents("1")
    if opened:
        op.press("Close setup")
    assert sorted(pasted) == ["1", "2", "5"], f"the middle click pasted {pasted!r}"


def window_manager_close_asks_during_a_match(op):
    op.press("Shiro Waza-ari")
    d.key("alt+F4")
    d.click_node(op.button("No", timeout=5))
    time.sleep(0.5)
    assert op.proc.poll() is None and d.windows_named(TITLE), "No closed the console"
    assert op.ui.find("label", "Shiro waza-ari 1"), "the score was lost"
