"""Headless Chromium driven over its DevTools protocol on a pipe; Python's standard library
only."""

import base64
import contextlib
import json
import os
import select
import signal
import subprocess
import tempfile
import time

# Software WebGL 2, autoplaying sound, and no connection but the one to the page's own server.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
    "--autoplay-policy=no-user-gesture-required", "--disable-background-networking",
    "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-quic",
    "--disable-extensions", "--remote-debugging-pipe",
]


class Browser:
    """One Chromium with one page. The protocol's messages end in a NUL; the child reads
    commands on its fd 3 and writes answers and events on its fd 4."""

    def __init__(self, url, *flags, width=800, height=600, scale=1, touch=False, script=""):
        self.profile = tempfile.TemporaryDirectory(prefix="vulcara-chromium-")
        child_in, self.commands = os.pipe()
        self.answers, child_out = os.pipe()
        self.process = subprocess.Popen(
            ["chromium", *CHROMIUM_FLAGS, *flags, f"--user-data-dir={self.profile.name}"],
            pass_fds=(3, 4, child_in, child_out), start_new_session=True,
            preexec_fn=lambda: (os.dup2(child_in, 100), os.dup2(child_out, 101),
                                os.dup2(100, 3), os.dup2(101, 4)),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(child_in)
        os.close(child_out)
        self.buffer, self.next_id, self.events, self.session = b"", 0, [], None
        for _ in range(100):
            pages = [t["targetId"] for t in self.send("Target.getTargets")["targetInfos"]
                     if t["type"] == "page"]
            if pages:
                break
            time.sleep(0.2)
        self.session = self.send("Target.attachToTarget", targetId=pages[0],
                                 flatten=True)["sessionId"]
        # The screen, and a script to run before the page's own, are in place before it loads.
        self.send("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=scale, mobile=touch)
        self.send("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5)
        self.send("Page.enable")
        self.send("Page.addScriptToEvaluateOnNewDocument", source=script)
        self.send("Runtime.enable")
        self.send("Page.navigate", url=url)

    def read_message(self, timeout):
        while b"\0" not in self.buffer:
            if not select.select([self.answers], [], [], timeout)[0]:
                raise TimeoutError("Chromium did not answer")
            chunk = os.read(self.answers, 1 << 20)
            if not chunk:
                raise ConnectionError("Chromium closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, timeout=60, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if self.session and not method.startswith(("Target.", "Browser.", "Tracing.")):
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        while (answer := self.read_message(timeout)).get("id") != self.next_id:
            self.events.append(answer)
        if "error" in answer:
            raise RuntimeError(f"{method}: {answer['error']}")
        return answer["result"]

    def console_lines(self):
        return [str(e["params"]["args"][0].get("value")) for e in self.events
                if e.get("method") == "Runtime.consoleAPICalled" and e["params"]["args"]]

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def screenshot(self):
        return base64.b64decode(self.send("Page.captureScreenshot", format="png")["data"])

    def close(self):
        with contextlib.suppress(ProcessLookupError):  # Chromium's whole process group
            os.killpg(self.process.pid, signal.SIGKILL)
        self.process.wait()
        os.close(self.commands)
        os.close(self.answers)
        self.profile.cleanup()

