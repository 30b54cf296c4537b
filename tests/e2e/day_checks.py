"""End-to-end checks of a tournament day: a match list stepped through, the
pairs on the board and on the feed, the results log it leaves (in its file and
at /results), and the day's set-up after a restart."""

import contextlib
import json
import os
import re
import time
import urllib.request

import desktop as d
from browser import Browser

DRAW = ("Match;Aka;Aka club;Shiro;Shiro club;Time\r\n"
        "U18 R1;Sato;JPN;Ivanova;UKR;2:00\r\n"
        "U18 R2;Lee;KOR;Díaz;ESP;\r\n"
        "U18 F;Sato;JPN;Díaz;ESP;3:00\r\n")
PAIRS = [(("Sato", "JPN"), ("Ivanova", "UKR")), (("Lee", "KOR"), ("Díaz", "ESP")),
         (("Sato", "JPN"), ("Díaz", "ESP"))]
INK = {"aka": d.GREY, "shiro": (0, 0, 0)}  # each name's colour on its half


def status(op):
    """The list's progress at the right of the menu bar, or None."""
    return next((n.name for n in op.ui.showing("label") if re.match(r"Match (list|\d+ of)", n.name)), None)


def next_match(op):
    d.key("ctrl+shift+n")
    time.sleep(0.5)


def get(port, path):
    with urllib.request.urlopen(f"http://127.0.0.1:{port}{path}", timeout=5) as r:
        return json.loads(r.read().decode())


def start_with_feed(op):
    """Closes the program and starts it again with the feed on, on this PC
    only, serving the results: the choice as the feed window keeps it."""
    op.press("Reset match")  # nothing under way: closing asks nothing
    tag = next(m[1] for f in os.listdir(op.folder) if (m := re.fullmatch(r"kestrane-(.+)\.lock", f)))
    op.close()
    port = d.free_port()
    with open(os.path.join(op.folder, f"kestrane-{tag}-feed.ini"), "w") as f:
        f.write(f"[General]\non=yes\nnetwork=this-pc\nport={port}\nresults=yes\n")
    for f in os.listdir(op.folder):  # the earlier checks' matches: a day starts afresh
        if f.endswith("-results.csv"):
            os.remove(os.path.join(op.folder, f))
    op.start()
    return port


def board_halves(op):
    """The line of the names on each half of the audience board, as
    {side: (pixels, ink)}: its pixels and how many have the name's colour."""
    x0, y0, w, _ = op.audience()
    line = d.burst((x0, y0 + 12, w, 66), 1, 0)[0]
    halves = [(0, 0, w // 2, 66), (w // 2, 0, w // 2, 66)]
    red_left = line.count(halves[0], d.RED) > line.count(halves[1], d.RED)
    out = {}
    for side, colour in INK.items():
        x, y, hw, hh = halves[0 if (side == "aka") == red_left else 1]
        pixels = [line.pixel(px, py) for py in range(y, y + hh) for px in range(x, x + hw)]
        out[side] = (pixels, sum(d.close_to(p, colour) for p in pixels))
    return out


def differing(a, b):
    return sum(any(abs(x - y) > 64 for x, y in zip(p, q)) for p, q in zip(a, b))


def feed_pair(browser, board, overlay):
    """The pair as the board page draws it and as the overlay writes it."""
    drawn = browser.eval(board, "kestrane.state && JSON.stringify(['akaName', 'shiroName'].map("
                                "(n) => kestrane.state.elements.find((e) => e.name === n).caption))")
    written = browser.eval(overlay, "JSON.stringify([...document.querySelectorAll('#strip .who')].map("
                                    "(w) => [w.querySelector('.name').textContent, "
                                    "w.querySelector('.person')?.textContent, w.querySelector('.club')?.textContent]))")
    return drawn and json.loads(drawn), written and sorted(json.loads(written))


def tournament_day_through_three_matches(op):
    port = start_with_feed(op)
    with contextlib.closing(Browser(op.log)) as browser:  # it starts up while the list is loaded
        day_with_the_feed_open(op, port, browser)


def day_with_the_feed_open(op, port, browser):
    draw = os.path.join(op.folder, "draw.csv")
    with open(draw, "w", encoding="utf-8-sig", newline="") as f:
        f.write(DRAW)
    assert status(op) is None, "progress shown with no list loaded"
    if not d.windows_named("Form2"):
        op.press("Start Scoreboard")
        assert d.wait_until(lambda: d.windows_named("Form2"), 3), "no board"
    time.sleep(0.5)
    unnamed = board_halves(op)
    assert get(port, "/results") == [], "results before the first match"
    d.click_node(op.ui.find("menu item", "Tournament"))
    d.click_node(op.ui.find("menu item", "Load match list..."))
    time.sleep(1.0)
    d.type_text(draw, 20)
    d.key("Return")
    assert d.wait_until(lambda: status(op), 5), "no progress after loading the list"
    assert status(op).startswith("Match list of 3"), status(op)
    d.set_text(op.ui.find("text", "Field number"), "3")  # kept with the day
    board = browser.open(f"http://127.0.0.1:{port}/")
    overlay = browser.open(f"http://127.0.0.1:{port}/overlay")

    halves = []
    for (aka, shiro), scores, shown in zip(PAIRS, (["Aka Ippon"], ["Shiro Ippon"], ["Aka Waza-ari"] * 2),
                                           ("Match 1 of 3", "Match 2 of 3", "Match 3 of 3")):
        next_match(op)
        assert status(op).startswith(shown), f"{status(op)!r}, expected {shown}"
        pair = {"aka": {"name": aka[0], "club": aka[1]}, "shiro": {"name": shiro[0], "club": shiro[1]}}
        assert get(port, "/state?w=1920&h=1080")["competitors"] == pair, f"/state for {shown}"
        want = ([f"{aka[0]} ({aka[1]})", f"{shiro[0]} ({shiro[1]})"],
                sorted([["Aka", *aka], ["Shiro", *shiro]]))
        assert d.wait_until(lambda: feed_pair(browser, board, overlay) == want, 5), \
            f"the feed pages for {shown}: {feed_pair(browser, board, overlay)}, expected {want}"
        halves.append(board_halves(op))
        for button in scores:
            op.press(button)
    assert op.clock_digits() == "3:00", f"the last match's time: {op.clock_digits()}"

    # The board: each name drawn on its side, the same pixels when a name
    # comes back (Sato in matches 1 and 3, Díaz in 2 and 3), others when not.
    for side, same_as, other in (("aka", 0, 1), ("shiro", 1, 0)):
        ink = [h[side][1] - unnamed[side][1] for h in halves]
        assert min(ink) > 50, f"{side}'s name on the board, pixels of its colour per match: {ink}"
        same, changed = (differing(halves[2][side][0], halves[i][side][0]) for i in (same_as, other))
        assert same < min(ink) // 5 < changed, f"{side}: {same} pixels differ for the same name, {changed} for another"

    next_match(op)
    d.click_node(op.button("OK"))  # "End of the match list"
    rows = op.results()
    got = [(r["Match"], r["Aka"], r["Shiro"], r["Winner"], r["How"]) for r in rows]
    assert got == [("U18 R1", "Sato", "Ivanova", "Aka", "points"),
                   ("U18 R2", "Lee", "Díaz", "Shiro", "points"),
                   ("U18 F", "Sato", "Díaz", "Aka", "points")], got
    served = get(port, "/results")
    assert served == [{k: v for k, v in r.items() if k != "Complete"} for r in rows], \
        f"/results {served} is not the results file {rows}"
    time.sleep(0.5)
    cleared = board_halves(op)
    left = {s: cleared[s][1] - unnamed[s][1] for s in INK}
    assert all(abs(n) < 10 for n in left.values()), f"names left on the board after the list: {left}"

    op.close()
    assert len(op.results()) == 3, "closing logged a match that was not under way"
    op.start()
    assert status(op) == "Match list done: all 3 matches", f"after the restart: {status(op)!r}"
    assert op.clock_digits() == "3:00", f"match time after the restart: {op.clock_digits()}"
    assert d.text_of(op.ui.find("text", "Field number")) == "3", "field number after the restart"
    assert len(get(port, "/results")) == 3, "/results after the restart"
