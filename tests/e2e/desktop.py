"""The private desktop of the end-to-end test, seen and driven from outside."""
# Runs inside session.sh (DISPLAY, PULSE_SERVER, PA_SINK and the accessibility
# bus are set). Screens are read by pixels, widgets through the accessibility
# tree, input goes in as real X events through xdotool, and sound is recorded
# from the null sink's monitor.

import contextlib
import math
import os
import re
import signal
import socket
import subprocess
import time

import pyatspi


def run(*args, check=True):
    return subprocess.run(args, check=check, capture_output=True, text=True).stdout


def wait_until(predicate, timeout, step=0.1):
    end = time.time() + timeout
    while not (value := predicate()) and time.time() < end:
        time.sleep(step)
    return value


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


# --- monitors and pixels -----------------------------------------------------

RED, GREY = (0xC0, 0x00, 0x00), (0xE0, 0xE0, 0xE0)  # Aka's and Shiro's halves of the board


def monitors():
    """{name: (x, y, w, h)} of the RandR monitors."""
    listed = run("xrandr", "--listmonitors")  # lines like " 1: +*NAME 1920/508x1080/286+1280+0  OUTPUT"
    return {m[1]: (int(m[4]), int(m[5]), int(m[2]), int(m[3]))
            for m in re.finditer(r"([\w-]+) (\d+)/\d+x(\d+)/\d+\+(\d+)\+(\d+)", listed)}


def set_monitor(name, w, h, x, y, output="none"):
    mm = lambda px: (px * 254 + 480) // 960  # noqa: E731  (millimetres at 96 dpi)
    run("xrandr", "--setmonitor", name, f"{w}/{mm(w)}x{h}/{mm(h)}+{x}+{y}", output)


def close_to(rgb, colour, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, colour))


class Shot:
    """One screenshot of the whole X screen (or the crop of one area), as RGB pixels."""

    def __init__(self, path=None, ppm=None):
        if ppm is None:
            ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                                 check=True, capture_output=True).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        self.width, self.height, self.data = int(header[1]), int(header[2]), ppm[header.end():]
        if path:
            subprocess.run(["convert", "ppm:-", path], input=ppm, check=True)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, rect, colour, tolerance=24):
        """Pixels within rect (x, y, w, h) that are close to colour."""
        x0, y0, w, h = rect
        xs = range(max(0, x0), min(self.width, x0 + w))
        return sum(close_to(self.pixel(x, y), colour, tolerance)
                   for y in range(max(0, y0), min(self.height, y0 + h)) for x in xs)


def burst(rect, count, interval):
    """Screenshots of one area, taken every `interval` seconds."""
    # Each grab takes longer than a blink phase lasts, so the grabs overlap:
    # started one after another, they sample the area at a steady pace.
    x, y, w, h = rect
    procs = []
    for _ in range(count):
        procs.append(subprocess.Popen(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth",
                                       "8", "ppm:-"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL))
        time.sleep(interval)
    return [Shot(ppm=p.communicate()[0]) for p in procs]


def halves_wrong(shot, rect, left, right):
    """{place: pixel} where the board's two halves along the bottom of rect
    are not the expected colours."""
    x, y, w, h = rect
    y += h - 8
    points = {"left edge": (x + 4, left), "left of the middle": (x + w // 2 - 4, left),
              "right of the middle": (x + w // 2 + 4, right), "right edge": (x + w - 4, right)}
    return {k: shot.pixel(px, y) for k, (px, c) in points.items() if not close_to(shot.pixel(px, y), c)}


# --- windows and input -------------------------------------------------------

def x_window(name):
    """A window by its exact name, also one xdotool's search does not find; or None."""
    found = [line for line in run("xwininfo", "-root", "-tree").splitlines() if f'"{name}"' in line]
    return found and int(found[0].split()[0], 16)


def windows_named(title):
    out = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$", check=False)
    return [int(w) for w in out.split()]


def geometry(wid, frame=False):
    """(x, y, w, h) of a window's client area on the screen, or with the
    frame the window manager gave it (xdotool counts its offset twice)."""
    info = dict(line.strip().split(":", 1) for line in run("xwininfo", "-id", str(wid)).splitlines()
                if ":" in line)
    x, y, w, h = (int(info[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    out = run("xprop", "-id", str(wid), "_NET_FRAME_EXTENTS", check=False) if frame else ""
    left, right, top, bottom = (int(v) for v in out.split("=")[1].split(",")) if "=" in out else (0,) * 4
    return x - left, y - top, w + left + right, h + top + bottom


def inside(rect, outer):
    (x, y, w, h), (ox, oy, ow, oh) = rect, outer
    return ox <= x and oy <= y and x + w <= ox + ow and y + h <= oy + oh


def active_window_name():
    return run("xdotool", "getactivewindow", "getwindowname", check=False).strip()


def key(*names):
    run("xdotool", "key", "--clearmodifiers", *names)


def type_text(text, delay=30):
    run("xdotool", "type", "--delay", str(delay), text)


# --- the accessibility tree --------------------------------------------------

class Accessible:
    """The widgets of a running application, as the accessibility bus shows them."""

    def __init__(self, app_name, timeout=15):
        def apps():  # a list: an accessible object without children counts as false
            desktop = pyatspi.Registry.getDesktop(0)
            apps = (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
            return [a for a in apps if a is not None and a.name == app_name]
        found = wait_until(apps, timeout, 0.2)
        assert found, f"{app_name!r} is not on the accessibility bus"
        self.app = found[0]

    def nodes(self, role=None, name=None):
        out = []

        def walk(node):
            try:
                children = [node.getChildAtIndex(i) for i in range(node.childCount)]
            except Exception:  # a node that went away while we walked
                return
            for child in filter(None, children):
                if (role is None or child.getRoleName() == role) and (name is None or child.name == name):
                    out.append(child)
                walk(child)

        walk(self.app)
        return out

    def showing(self, role, name=None):
        return [n for n in self.nodes(role, name) if showing(n)]

    def find(self, role, name, index=0, timeout=5):
        """The index-th widget of that role and name on screen, left to right."""
        found = wait_until(lambda: len(self.showing(role, name)) > index, timeout, 0.2)
        assert found, f"no {role} named {name!r} (#{index}) on screen"
        return sorted(self.showing(role, name), key=extents)[index]


def showing(node):
    with contextlib.suppress(Exception):  # a node that went away
        return node.getState().contains(pyatspi.STATE_SHOWING)
    return False


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def set_text(node, text):
    node.queryEditableText().setTextContents(text)


def click_node(node, button="1"):
    x, y, w, h = extents(node)
    x, y = x + w // 2, y + h // 2
    # mousemove --sync waits for the pointer to move: one already there (the
    # same button clicked again) held every such click for about 15 s.
    here = dict(line.split("=") for line in run("xdotool", "getmouselocation", "--shell").split())
    move = [] if (here["X"], here["Y"]) == (str(x), str(y)) else ["mousemove", "--sync", str(x), str(y)]
    run("xdotool", *move, "click", button)


# --- sound -------------------------------------------------------------------

def make_wav(path, freq, *sox_format):
    subprocess.run(["sox", "-n", *(sox_format or ("-e", "signed-integer", "-b", "16")), "-r", "48000", "-c", "1",
                    path, "synth", "0.6", "sine", str(freq), "vol", "0.8", "pad", "0.05", "0.3"], check=True)


def record(path, action=None, seconds=1.0):
    """The RMS level in dBFS (-inf for silence) of what the null sink plays
    while action runs and for `seconds` after; with action's result."""
    with contextlib.suppress(FileNotFoundError):
        os.remove(path)
    proc = subprocess.Popen(
        ["parec", "--latency-msec=20", "-d", os.environ["PA_SINK"] + ".monitor",
         "--file-format=wav", "--format=s16le", "--channels=1", "--rate=48000", path])
    # A null sink with no stream playing wakes only every 2 s: until then its
    # monitor delivers nothing, and a sound played meanwhile is not recorded
    # (or only its tail). Act once samples arrive (past the 44-byte header).
    flowing = wait_until(lambda: os.path.exists(path) and os.path.getsize(path) > 44, 5, 0.01)
    if not flowing:
        proc.kill()
        proc.wait()
    assert flowing, f"the monitor of {os.environ['PA_SINK']} delivered nothing in 5 s"
    result = action() if action else None
    time.sleep(seconds)
    proc.send_signal(signal.SIGINT)
    proc.wait(timeout=5)
    out = subprocess.run(["sox", path, "-n", "stats"], capture_output=True, text=True).stderr
    level = re.search(r"^RMS lev dB\s+(\S+)", out, re.M)
    assert level, f"no level in sox stats of {path}: {out}"
    return (-math.inf if level[1].endswith("inf") else float(level[1])), result
