"""The private desktop of the end-to-end test, seen and driven from outside.

Runs inside session.sh (DISPLAY, PULSE_SERVER, PA_SINK and the accessibility
bus are set). Screens are read by pixels, widgets through the accessibility
tree, input goes in as real X events through xdotool, and sound is recorded
from the null sink's monitor.
"""

import math
import os
import signal
import subprocess
import time

import pyatspi


def run(*args, check=True):
    return subprocess.run(args, check=check, capture_output=True, text=True).stdout


# --- monitors and pixels -----------------------------------------------------

def monitors():
    """{name: (x, y, w, h)} of the RandR monitors."""
    out = {}
    for line in run("xrandr", "--listmonitors").splitlines()[1:]:
        parts = line.split()
        name = parts[1].lstrip("+*")
        geo = parts[2]  # 1920/508x1080/286+1280+0
        size, x, y = geo.split("+")
        w = int(size.split("x")[0].split("/")[0])
        h = int(size.split("x")[1].split("/")[0])
        out[name] = (int(x), int(y), w, h)
    return out


class Shot:
    """One screenshot of the whole X screen, as RGB pixels."""

    def __init__(self, path=None, ppm=None):
        if ppm is None:
            ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                                 check=True, capture_output=True).stdout
        self.width, self.height, self.data = _parse_ppm(ppm)
        if path:
            subprocess.run(["convert", "ppm:-", path], input=ppm, check=True)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, rect, colour, tolerance=24):
        """Pixels within rect (x, y, w, h) that are close to colour."""
        x0, y0, w, h = rect
        n = 0
        for y in range(max(0, y0), min(self.height, y0 + h)):
            row = y * self.width
            for x in range(max(0, x0), min(self.width, x0 + w)):
                i = (row + x) * 3
                if (abs(self.data[i] - colour[0]) <= tolerance
                        and abs(self.data[i + 1] - colour[1]) <= tolerance
                        and abs(self.data[i + 2] - colour[2]) <= tolerance):
                    n += 1
        return n


def burst(rect, count, interval):
    """Screenshots of one area, taken every `interval` seconds. Each grab
    takes longer than a blink phase lasts, so the grabs overlap: started one
    after another, they sample the area at a steady pace."""
    x, y, w, h = rect
    procs = []
    for _ in range(count):
        procs.append(subprocess.Popen(
            ["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "ppm:-"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL))
        time.sleep(interval)
    return [Shot(ppm=p.communicate()[0]) for p in procs]


def _parse_ppm(ppm):
    fields = []
    pos = 0
    while len(fields) < 4:
        while ppm[pos:pos + 1].isspace():
            pos += 1
        if ppm[pos:pos + 1] == b"#":
            pos = ppm.index(b"\n", pos) + 1
            continue
        end = pos
        while not ppm[end:end + 1].isspace():
            end += 1
        fields.append(ppm[pos:end])
        pos = end
    pos += 1
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    return int(fields[1]), int(fields[2]), ppm[pos:]


def close_to(rgb, colour, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, colour))


# --- windows and input -------------------------------------------------------

def windows_named(title):
    out = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$", check=False)
    return [int(w) for w in out.split()]


def window_geometry(wid):
    """(x, y, w, h) of a window's client area on the screen."""
    vals = {}
    for line in run("xdotool", "getwindowgeometry", "--shell", str(wid)).splitlines():
        k, _, v = line.partition("=")
        vals[k] = int(v) if v.lstrip("-").isdigit() else v
    return vals["X"], vals["Y"], vals["WIDTH"], vals["HEIGHT"]


def frame_geometry(wid):
    """(x, y, w, h) of a window with the frame the window manager gave it.
    (xdotool's own geometry counts the frame's offset twice.)"""
    info = dict(line.strip().split(":", 1) for line in run("xwininfo", "-id", str(wid)).splitlines()
                if ":" in line)
    x, y = int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"])
    w, h = int(info["Width"]), int(info["Height"])
    out = run("xprop", "-id", str(wid), "_NET_FRAME_EXTENTS", check=False)
    left, right, top, bottom = (int(v) for v in out.split("=")[1].split(",")) if "=" in out else (0,) * 4
    return x - left, y - top, w + left + right, h + top + bottom


def active_window_name():
    return run("xdotool", "getactivewindow", "getwindowname", check=False).strip()


def click(x, y):
    run("xdotool", "mousemove", "--sync", str(int(x)), str(int(y)), "click", "1")


def key(*names):
    run("xdotool", "key", "--clearmodifiers", *names)


def type_text(text):
    run("xdotool", "type", "--delay", "30", text)


# --- the accessibility tree --------------------------------------------------

class Accessible:
    """The widgets of a running application, as the accessibility bus shows them."""

    def __init__(self, app_name, timeout=15):
        end = time.time() + timeout
        seen = []
        while time.time() < end:
            desktop = pyatspi.Registry.getDesktop(0)
            seen = []
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is None:
                    continue
                seen.append(app.name)
                if app.name == app_name:
                    self.app = app
                    return
            time.sleep(0.2)
        raise AssertionError(f"{app_name!r} is not on the accessibility bus (seen {seen})")

    def nodes(self, role=None, name=None):
        out = []

        def walk(node):
            try:
                count = node.childCount
            except Exception:  # a node that went away while we walked
                return
            for i in range(count):
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                if (role is None or child.getRoleName() == role) and (name is None or child.name == name):
                    out.append(child)
                walk(child)

        walk(self.app)
        return out

    def find(self, role, name, index=0, timeout=5):
        """The index-th widget of that role and name, left to right."""
        end = time.time() + timeout
        while True:
            found = [n for n in self.nodes(role, name) if showing(n)]
            found.sort(key=lambda n: extents(n))
            if len(found) > index:
                return found[index]
            if time.time() > end:
                raise AssertionError(f"no {role} named {name!r} (#{index}) on screen")
            time.sleep(0.2)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def click_node(node):
    x, y, w, h = extents(node)
    click(x + w / 2, y + h / 2)


# --- sound -------------------------------------------------------------------

class Recording:
    """Records the null sink's monitor from start() until stop()."""

    def __init__(self, path):
        self.path = path
        self.proc = None

    def start(self):
        self.proc = subprocess.Popen(
            ["parec", "--latency-msec=20", "-d", os.environ["PA_SINK"] + ".monitor",
             "--file-format=wav", "--format=s16le", "--channels=1", "--rate=48000", self.path])
        time.sleep(0.3)  # let the stream connect before anything plays
        return self

    def stop(self):
        self.proc.send_signal(signal.SIGINT)
        self.proc.wait(timeout=5)
        return rms_dbfs(self.path)


def rms_dbfs(path):
    """The RMS level of a WAV file in dBFS (-inf for pure silence)."""
    out = subprocess.run(["sox", path, "-n", "stats"], capture_output=True, text=True).stderr
    if "no audio" in out:
        return -math.inf  # the monitor delivered nothing: nothing was played
    for line in out.splitlines():
        if line.startswith("RMS lev dB"):
            value = line.split()[3]
            return -math.inf if value.endswith("inf") else float(value)
    raise AssertionError(f"no level in sox stats of {path}: {out}")
