"""Sound files as people bring them, and Qt's own command-line options."""
# Checks for the two-screens arrangement of test_e2e.py; each takes the
# Operator. They open the setup row when it is closed and leave it open.

import os
import subprocess
import time

import desktop as d


def open_setup(op):
    if op.ui.nodes("push button", "Setup"):
        op.press("Setup")


def end_of_match_plays_24_bit_and_mu_law(op):
    open_setup(op)
    end = os.path.join(op.folder, "end.wav")
    levels = []
    for encoding in (["-e", "signed-integer", "-b", "24"], ["-e", "u-law"]):
        d.make_wav(end, 880, *encoding)
        levels.append(d.record(op.file(f"end-{encoding[1]}.wav"), lambda: op.press("End of match"))[0])
    d.make_wav(end, 880)
    assert min(levels) > -40, f"24-bit and u-law end sounds: {levels} dBFS"


def missing_end_file_sounds_the_built_in_end_and_says_why(op):
    open_setup(op)
    box = op.ui.find("text", "End-of-match sound file")
    d.set_text(box, "gone.wav")
    assert d.wait_until(lambda: op.ui.nodes("label", "File not found"), 3), "no reason beside the path"
    op.press("Close setup")  # the S key runs the clock only while it is closed
    op.set_match_time("0", "2")

    def run_out():
        d.key("s")
        return d.wait_until(lambda: op.clock_digits() == "0:00", 4)

    loud, ended = d.record(op.file("built-in-end.wav"), run_out, 1.0)
    op.press("Setup")
    d.set_text(box, "end.wav")
    op.set_match_time("1", "30")
    assert ended and loud > -40, f"{loud:.1f} dBFS at {op.clock_digits()}"
    assert d.wait_until(lambda: not op.ui.nodes("label", "File not found"), 3), "the reason stayed"


def sound_follows_the_default_output(op):
    open_setup(op)
    module = d.run("pactl", "load-module", "module-null-sink", "sink_name=hdmi", "rate=48000").strip()
    first = os.environ["PA_SINK"]
    levels = []
    try:
        for sink in ("hdmi", first):  # the new default, then the first again
            d.run("pactl", "set-default-sink", sink)
            time.sleep(0.5)
            os.environ["PA_SINK"] = sink
            levels.append(d.record(op.file(f"end-on-{sink}.wav"), lambda: op.press("End of match"))[0])
    finally:
        os.environ["PA_SINK"] = first
        d.run("pactl", "set-default-sink", first, check=False)
        d.run("pactl", "unload-module", module, check=False)
    assert min(levels) > -40, f"on the new default, then the first again: {levels} dBFS"


def qt_options_beside_ours(op):
    out = subprocess.run([op.exe, "-platform", "offscreen", "--version"], capture_output=True,
                         text=True, timeout=10)
    assert out.returncode == 0 and out.stdout == "Kestrane 1.2.1\n", out
    out = subprocess.run([op.exe, "--fullscreen"], capture_output=True, text=True, timeout=10)
    assert out.returncode == 2 and "Unknown option 'fullscreen'" in out.stderr, out
