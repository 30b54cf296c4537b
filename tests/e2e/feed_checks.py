"""End-to-end check of the board feed, found and run from the console's menu."""

import json
import re
import socket
import time
import urllib.request

import desktop as d


def get(url):
    with urllib.request.urlopen(url, timeout=5) as r:
        return r.status, r.read().decode()


def aka_waza_ari(state):
    return next(e["caption"] for e in json.loads(state)["elements"] if e["name"] == "scrw")


def refused(port):
    with socket.socket() as s:
        s.settimeout(2)
        return s.connect_ex(("127.0.0.1", port)) != 0


def feed_window(op):
    """The Board feed window's widgets by (role, name), in one walk of the tree once it shows."""
    def walk():
        found = {(n.getRoleName(), n.name): n for n in op.ui.nodes() if d.showing(n)}
        return found if ("check box", "Serve the board to browsers") in found else None
    assert (window := d.wait_until(walk, 5)), "no Board feed window"
    return window


def feed_found_and_switched_from_the_console(op):
    """Tournament > Board feed...: on for this PC only, its address serves the board and follows a
    press on the console; off again closes the port."""
    port = d.free_port()  # the default 8080 may be anyone's on a shared machine
    d.click_node(op.ui.find("menu item", "Tournament"))
    d.click_node(op.ui.find("menu item", "Board feed..."))
    w = feed_window(op)
    on = w["check box", "Serve the board to browsers"]
    assert not d.checked(on), "the feed is on before the operator turned it on"
    d.click_node(w["spin button", "Port"])
    d.key("ctrl+a")
    d.type_text(str(port), 20)
    d.key("Tab")  # leaving the box takes the port
    d.click_node(w["radio button", "This PC only"])
    d.click_node(on)
    page = f"http://127.0.0.1:{port}/"
    w = d.wait_until(lambda: (w := feed_window(op)) and ("label", "The board feed is on.") in w and w, 5)
    assert w, "no 'on' status"
    shown = [name for role, name in w if role == "label" and re.fullmatch(r"https?://\S+", name)]
    assert page in shown and f"{page}overlay" in shown, f"addresses shown: {shown}"
    assert all(re.match(r"http://(127\.0\.0\.1|localhost|\[::1\])[:/]", a) for a in shown), \
        f"a wider address for 'This PC only': {shown}"

    status, html = get(page)
    assert status == 200 and "<canvas" in html, f"/ answered {status}"
    before = aka_waza_ari(get(page + "state")[1])
    op.button("Aka Waza-ari").queryAction().doAction(0)  # the window may cover the console
    after = d.wait_until(lambda: (c := aka_waza_ari(get(page + "state")[1])) != before and c, 3)
    assert after, f"/state's Aka waza-ari stayed {before}"
    assert op.ui.showing("label", f"Aka waza-ari {after}"), "/state and the console differ"
    op.button("Aka Waza-ari minus one").queryAction().doAction(0)

    on.queryAction().doAction(0)  # a click: the pointer rests on it already
    assert d.wait_until(lambda: refused(port), 3), f"port {port} still open with the feed off"
    assert not d.checked(on) and op.ui.showing("label", "The board feed is off."), "no 'off' status"
    d.key("Escape")
    time.sleep(0.3)
