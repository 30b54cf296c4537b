"""End-to-end checks of a tournament day: a match list stepped through, the
results log it leaves, and the day's set-up after a restart."""

import csv
import os
import re
import time

import desktop as d

DRAW = ("Match;Aka;Aka club;Shiro;Shiro club;Time\r\n"
        "U18 R1;Sato;JPN;Ivanova;UKR;2:00\r\n"
        "U18 R2;Lee;KOR;Díaz;ESP;\r\n"
        "U18 F;Sato;JPN;Díaz;ESP;3:00\r\n")


def status(op):
    """The list's progress at the right of the menu bar, or None."""
    names = [n.name for n in op.ui.showing("label") if re.match(r"Match (list|\d+ of)", n.name)]
    return names[0] if names else None


def results(op):
    path = [f for f in os.listdir(op.folder) if f.endswith("-results.csv")]
    if not path:
        return []
    with open(os.path.join(op.folder, path[0]), encoding="utf-8-sig", newline="") as f:
        return list(csv.DictReader(f))


def next_match(op):
    d.key("ctrl+shift+n")
    time.sleep(0.5)


def tournament_day_through_three_matches(op):
    draw = os.path.join(op.folder, "draw.csv")
    with open(draw, "w", encoding="utf-8-sig", newline="") as f:
        f.write(DRAW)
    assert status(op) is None, "progress shown with no list loaded"
    op.press("Reset match")  # the earlier checks' match goes into the log: a day starts afresh
    for f in os.listdir(op.folder):
        if f.endswith("-results.csv"):
            os.remove(os.path.join(op.folder, f))
    d.click_node(op.ui.find("menu item", "Tournament"))
    d.click_node(op.ui.find("menu item", "Load match list..."))
    time.sleep(1.0)
    d.run("xdotool", "type", "--delay", "20", draw)
    d.key("Return")
    assert d.wait_until(lambda: status(op), 5), "no progress after loading the list"
    assert status(op).startswith("Match list of 3"), status(op)

    for scores, shown in ((["Aka Ippon"], "Match 1 of 3"), (["Shiro Ippon"], "Match 2 of 3"),
                          (["Aka Waza-ari", "Aka Waza-ari"], "Match 3 of 3")):
        next_match(op)
        assert status(op).startswith(shown), f"{status(op)!r}, expected {shown}"
        for button in scores:
            op.press(button)
    assert op.clock_digits() == "3:00", f"the last match's time: {op.clock_digits()}"
    next_match(op)
    d.click_node(op.button("OK"))  # "End of the match list"
    rows = results(op)
    got = [(r["Match"], r["Aka"], r["Shiro"], r["Winner"], r["How"]) for r in rows]
    assert got == [("U18 R1", "Sato", "Ivanova", "Aka", "points"),
                   ("U18 R2", "Lee", "Díaz", "Shiro", "points"),
                   ("U18 F", "Sato", "Díaz", "Aka", "points")], got

    op.press("Close")
    assert d.wait_until(lambda: op.proc.poll() is not None, 5), "the program did not end"
    assert len(results(op)) == 3, "closing logged a match that was not under way"
    op.start()
    assert status(op) == "Match list done: all 3 matches", f"after the restart: {status(op)!r}"
    assert op.clock_digits() == "3:00", f"match time after the restart: {op.clock_digits()}"
