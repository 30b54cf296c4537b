"""Sound files as people bring them, and Qt's own command-line options."""
# Checks for the two-screens arrangement of test_e2e.py; each takes the
# Operator. They open the setup row when it is closed and leave it open.

import os
import subprocess
import time

import desktop as d


def make_sound(path, *encoding):
    subprocess.run(["sox", "-n", *encoding, "-r", "48000", "-c", "1", path, "synth", "0.6", "sine",
                    "880", "vol", "0.8", "pad", "0.05", "0.3"], check=True)


def open_setup(op):
    if op.ui.nodes("push button", "Setup"):
        op.press("Setup")


def end_of_match_plays_24_bit_and_mu_law(op):
    open_setup(op)
    end = os.path.join(op.folder, "end.wav")
    levels = []
    for encoding in (["-e", "signed-integer", "-b", "24"], ["-e", "u-law"]):
        make_sound(end, *encoding)
        levels.append(d.record(op.file(f"end-{encoding[1]}.wav"), lambda: op.press("End of match"))[0])
    make_sound(end, "-b", "16")
    assert min(levels) > -40, f"24-bit and u-law end sounds: {levels} dBFS"


def missing_end_file_sounds_the_built_in_end_and_says_why(op):
    open_setup(op)
    box = op.ui.find("text", "End-of-match sound file")
    box.queryEditableText().setTextContents("gone.wav")
    assert d.wait_until(lambda: op.ui.nodes("label", "File not found"), 3), "no reason beside the path"
    op.press("Close setup")  # the S key runs the clock only while it is closed
    op.ui.find("text", "Match time minutes").queryEditableText().setTextContents("0")
    op.ui.find("text", "Match time seconds").queryEditableText().setTextContents("2")
    op.press("Reset time")

    def run_out():
        d.key("s")
        return d.wait_until(lambda: op.clock_digits() == "0:00", 4)

    loud, ended = d.record(op.file("built-in-end.wav"), run_out, 1.0)
    op.press("Setup")
    box.queryEditableText().setTextContents("end.wav")
    op.ui.find("text", "Match time minutes").queryEditableText().setTextContents("1")
    op.ui.find("text", "Match time seconds").queryEditableText().setTextContents("30")
    op.press("Reset time")
    assert ended and loud > -40, f"{loud:.1f} dBFS at {op.clock_digits()}"
    assert d.wait_until(lambda: not op.ui.nodes("label", "File not found"), 3), "the reason stayed"


def sound_follows_the_default_output(op):
    open_setup(op)
    module = subprocess.run(["pactl", "load-module", "module-null-sink", "sink_name=hdmi", "rate=48000"],
                            capture_output=True, text=True, check=True).stdout.strip()
    first = os.environ["PA_SINK"]
    try:
        subprocess.run(["pactl", "set-default-sink", "hdmi"], check=True)
        time.sleep(0.5)
        os.environ["PA_SINK"] = "hdmi"
        there = d.record(op.file("end-on-hdmi.wav"), lambda: op.press("End of match"))[0]
        subprocess.run(["pactl", "set-default-sink", first], check=True)
        time.sleep(0.5)
        os.environ["PA_SINK"] = first
        back = d.record(op.file("end-back.wav"), lambda: op.press("End of match"))[0]
    finally:
        os.environ["PA_SINK"] = first
        subprocess.run(["pactl", "set-default-sink", first], check=False)
        subprocess.run(["pactl", "unload-module", module], check=False)
    assert there > -40 and back > -40, f"on the new default, then the first again: {there}, {back} dBFS"


def qt_options_beside_ours(op):
    out = subprocess.run([op.exe, "-platform", "offscreen", "--version"], capture_output=True,
                         text=True, timeout=10)
    assert out.returncode == 0 and out.stdout == "Kestrane 1.2.1\n", out
    out = subprocess.run([op.exe, "--fullscreen"], capture_output=True, text=True, timeout=10)
    assert out.returncode == 2 and "Unknown option 'fullscreen'" in out.stderr, out
