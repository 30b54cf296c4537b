"""Headless Chromium driven over its DevTools pipe: pages opened on the feed
and scripts evaluated in them, as a viewer's browser runs them."""
# The pipe (fd 3 in, fd 4 out, messages ending in NUL) needs no WebSocket
# client; every wait is bounded.

import json
import os
import select
import shutil
import subprocess
import tempfile
import time


class Browser:
    def __init__(self, log):
        exe = shutil.which("chromium")
        assert exe, "chromium is not installed (scripts/install-deps.sh test)"
        self.profile = tempfile.mkdtemp(prefix="kestrane-chromium.")
        to_r, self.to_w = os.pipe()
        self.from_r, from_w = os.pipe()
        args = [exe, "--headless=new", "--remote-debugging-pipe", "--no-sandbox", "--hide-scrollbars",
                "--window-size=1920,1080", f"--user-data-dir={self.profile}", "about:blank"]
        self.proc = subprocess.Popen(["bash", "-c", f'exec "$@" 3<&{to_r} 4>&{from_w}', "chromium", *args],
                                     pass_fds=(to_r, from_w), stdout=log, stderr=log, start_new_session=True)
        os.close(to_r)
        os.close(from_w)
        self.sent, self.buffer = 0, b""

    def call(self, method, session=None, timeout=20, **params):
        self.sent += 1
        message = {"id": self.sent, "method": method, "params": params} | ({"sessionId": session} if session else {})
        os.write(self.to_w, json.dumps(message).encode() + b"\0")
        end = time.time() + timeout
        while True:
            while b"\0" not in self.buffer:
                left = end - time.time()
                assert left > 0 and select.select([self.from_r], [], [], left)[0], f"no answer to {method}"
                chunk = os.read(self.from_r, 1 << 16)
                assert chunk, "chromium went away"
                self.buffer += chunk
            raw, self.buffer = self.buffer.split(b"\0", 1)
            answer = json.loads(raw)
            if answer.get("id") == self.sent:
                assert "error" not in answer, f"{method}: {answer['error']}"
                return answer["result"]

    def open(self, url, width=1920, height=1080):
        """A new tab on url with a viewport of width x height; its session."""
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        self.call("Emulation.setDeviceMetricsOverride", session, width=width, height=height,
                  deviceScaleFactor=1, mobile=False)
        self.call("Page.navigate", session, url=url)
        return session

    def eval(self, session, script):
        return self.call("Runtime.evaluate", session, expression=script, returnByValue=True)["result"].get("value")

    def close(self):
        if self.proc.poll() is None:
            os.killpg(self.proc.pid, 9)
        self.proc.wait()
        os.close(self.to_w)
        os.close(self.from_r)
        shutil.rmtree(self.profile, ignore_errors=True)
