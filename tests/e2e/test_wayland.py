#!/usr/bin/python3
"""The board under Wayland: kestrane as a client of weston with two outputs.

A Wayland client cannot place its windows, so the board has to ask for
full-screen on its target output. Runs inside session.sh, whose X desktop
hosts weston's X11 backend (each output is an X window there, so the X
screenshot shows both outputs) and whose accessibility bus presses the button:

    OPERATOR=3240x1140 session.sh --one-screen -- test_wayland.py --exe build/dev/kestrane --artifacts DIR

Checks that the board covers the second output (the laptop's panel of
weston included: full-screen, not maximized) and leaves the first one to the
console. Prints PASS/FAIL lines like test_e2e.py; keeps the screenshot and
logs in DIR when it fails.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import desktop as d

RED = (0xC0, 0x00, 0x00)
GREY = (0xE0, 0xE0, 0xE0)
OUTPUTS = {"screen0": "1280x800", "screen1": "1920x1080"}  # laptop, projector
SOCKET = "kestrane-wayland"


def client_geometry(wid):
    info = dict(line.strip().split(":", 1) for line in d.run("xwininfo", "-id", str(wid)).splitlines()
                if ":" in line)
    return tuple(int(info[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def output_window(name):
    """weston's X window of one output (xdotool's search does not find it)."""
    for line in d.run("xwininfo", "-root", "-tree").splitlines():
        if f'"Weston Compositor - {name}"' in line:
            return int(line.split()[0], 16)
    return None


def wait_for(what, predicate, timeout=15):
    end = time.time() + timeout
    while time.time() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.2)
    raise AssertionError(f"{what} did not happen within {timeout} s")


def start_weston(work, log, started):
    runtime = os.path.join(work, "runtime")
    os.makedirs(runtime, mode=0o700)
    ini = os.path.join(work, "weston.ini")
    with open(ini, "w") as f:
        for name, mode in OUTPUTS.items():
            f.write(f"[output]\nname={name}\nmode={mode}\n\n")
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    # Its own process group: weston starts helper clients of its own.
    proc = subprocess.Popen(["weston", "--backend=x11-backend.so", f"--output-count={len(OUTPUTS)}",
                             "--use-pixman", f"--config={ini}", f"--socket={SOCKET}"],
                            env=env, stdout=log, stderr=log, start_new_session=True)
    started.append(proc)
    wait_for("weston's socket", lambda: os.path.exists(os.path.join(runtime, SOCKET)))
    # Each output is an X window; put them side by side, the laptop first.
    x = 0
    outputs = {}
    for name in OUTPUTS:
        wid = wait_for(f"output {name}", lambda n=name: output_window(n))
        d.run("xdotool", "windowmove", "--sync", str(wid), str(x), "0", check=False)
        outputs[name] = wid
        x += int(OUTPUTS[name].split("x")[0]) + 20
    time.sleep(1.0)
    return runtime, {n: client_geometry(w) for n, w in outputs.items()}


def board_on_second_output(exe, artifacts, work, log):
    started = []
    try:
        runtime, outputs = start_weston(work, log, started)
        laptop, projector = outputs["screen0"], outputs["screen1"]
        # The operator's pointer rests on the laptop.
        d.run("xdotool", "mousemove", str(laptop[0] + 50), str(laptop[1] + laptop[3] - 50))
        folder = os.path.join(work, "program")
        os.makedirs(folder)
        shutil.copy2(exe, folder)
        env = dict(os.environ, QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=SOCKET, XDG_RUNTIME_DIR=runtime)
        started.append(subprocess.Popen([os.path.join(folder, os.path.basename(exe))], cwd="/", env=env,
                                        stdout=log, stderr=log))
        ui = d.Accessible("Kestrane", timeout=20)
        ui.find("push button", "Start Scoreboard").queryAction().doAction(0)
        time.sleep(1.5)
        s = d.Shot(os.path.join(artifacts, "wayland.png"))

        x, y, w, h = projector
        corners = {"bottom left": (x + 4, y + h - 8, RED), "bottom right": (x + w - 4, y + h - 8, GREY),
                   "left of the middle": (x + w // 2 - 4, y + h - 8, RED),
                   "right of the middle": (x + w // 2 + 4, y + h - 8, GREY),
                   # where weston's panel is: covered only by a full-screen window
                   "top right": (x + w - 4, y + 4, GREY)}
        wrong = {k: s.pixel(px, py) for k, (px, py, c) in corners.items() if not d.close_to(s.pixel(px, py), c)}
        assert not wrong, f"the board does not cover the second output: {wrong}"
        _, _, lw, lh = laptop
        reds, greys = s.count(laptop, RED, 10), s.count(laptop, GREY, 4)
        assert reds < lw * lh // 8 or greys < lw * lh // 8, f"a board on the laptop too ({reds} red, {greys} grey)"
        # Where the compositor put the console is its own choice: reported only.
        white = s.count(laptop, (0xFF, 0xFF, 0xFF), 4)
        print(f"  board full-screen on the {w}x{h} output; {white} white console pixels on the laptop's")
    finally:
        for p in reversed(started):  # kestrane, then weston's process group
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        if started:
            try:
                os.killpg(started[0].pid, signal.SIGTERM)
            except ProcessLookupError:
                pass


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--artifacts", required=True)
    args = ap.parse_args()
    os.makedirs(args.artifacts, exist_ok=True)
    work = tempfile.mkdtemp(prefix="kestrane-wayland.")
    ok = False
    with open(os.path.join(args.artifacts, "wayland.log"), "a") as log:
        t = time.time()
        try:
            board_on_second_output(os.path.abspath(args.exe), args.artifacts, work, log)
            ok = True
            print(f"PASS board_on_second_output ({time.time() - t:.1f} s)", flush=True)
        except Exception as e:
            print(f"FAIL board_on_second_output: {e}", flush=True)
        finally:
            shutil.rmtree(work, ignore_errors=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
