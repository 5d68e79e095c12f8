"""Headless Chromium driven over its DevTools protocol on a pipe with Python's standard library,
and a reader of the PNG pictures it and the program write."""

import base64
import json
import os
import select
import signal
import subprocess
import tempfile
import time
import zlib

# Software WebGL 2, autoplaying sound, and no connection anywhere but the page's own server.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
    "--autoplay-policy=no-user-gesture-required", "--disable-background-networking",
    "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-quic",
    "--disable-default-apps", "--disable-extensions", "--window-size=820,700",
    "--remote-debugging-pipe",
]


class Browser:
    """One headless Chromium with one page, attached over --remote-debugging-pipe (commands on
    the child's fd 3, answers and events on its fd 4, each message ending in a NUL)."""

    def __init__(self, url):
        self.profile = tempfile.TemporaryDirectory(prefix="vulcara-chromium-")
        to_child, self.commands = os.pipe()
        self.answers, from_child = os.pipe()
        # Out of the way of 3 and 4 before the child puts its ends there.
        low = [to_child, from_child]
        to_child, from_child = (os.dup2(fd, fd + 100) for fd in low)
        for fd in low:
            os.close(fd)

        def child_pipes():
            os.dup2(to_child, 3)
            os.dup2(from_child, 4)

        self.process = subprocess.Popen(
            ["chromium", *CHROMIUM_FLAGS, f"--user-data-dir={self.profile.name}", url],
            pass_fds=(3, 4, to_child, from_child), preexec_fn=child_pipes,
            start_new_session=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_child)
        os.close(from_child)
        self.buffer = b""
        self.next_id = 0
        self.events = []
        self.session = None
        page = self.wait_for_page()
        self.session = self.send("Target.attachToTarget", targetId=page, flatten=True,
                                 browser_level=True)["sessionId"]
        self.send("Runtime.enable")

    def wait_for_page(self, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            targets = self.send("Target.getTargets", browser_level=True)["targetInfos"]
            pages = [t["targetId"] for t in targets if t["type"] == "page"]
            if pages:
                return pages[0]
            time.sleep(0.2)
        raise TimeoutError("Chromium opened no page")

    def read_message(self, timeout):
        while b"\0" not in self.buffer:
            ready, _, _ = select.select([self.answers], [], [], timeout)
            if not ready:
                raise TimeoutError("Chromium did not answer")
            chunk = os.read(self.answers, 1 << 20)
            if not chunk:
                raise ConnectionError("Chromium closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, browser_level=False, timeout=60, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if self.session and not browser_level:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        while True:
            answer = self.read_message(timeout)
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer["result"]
            self.events.append(answer)

    def pump(self, seconds):
        """Collects the events that arrive within the time."""
        deadline = time.monotonic() + seconds
        while (left := deadline - time.monotonic()) > 0:
            try:
                self.events.append(self.read_message(left))
            except TimeoutError:
                return

    def console_lines(self):
        return [str(e["params"]["args"][0].get("value", "")) for e in self.events
                if e.get("method") == "Runtime.consoleAPICalled" and e["params"]["args"]]

    def wait_for_console(self, predicate, timeout):
        deadline = time.monotonic() + timeout
        while not predicate(self.console_lines()):
            if time.monotonic() > deadline:
                raise TimeoutError("the page's console did not show what was awaited")
            self.pump(0.5)

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def press(self, key, code, virtual_key):
        for kind in ("keyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                      windowsVirtualKeyCode=virtual_key, nativeVirtualKeyCode=virtual_key)

    def screenshot(self):
        return base64.b64decode(self.send("Page.captureScreenshot", format="png")["data"])

    def close(self):
        try:
            self.send("Browser.close", browser_level=True, timeout=5)
            self.process.wait(timeout=10)
        except (OSError, RuntimeError, TimeoutError, ConnectionError, subprocess.TimeoutExpired):
            pass
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
        os.close(self.commands)
        os.close(self.answers)
        self.profile.cleanup()


def decode_png(data):
    """8-bit RGB or RGBA, not interlaced (what Chromium and the program write): (width, height,
    RGBA bytes, rows top first)."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length = int.from_bytes(data[pos:pos + 4], "big")
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height = int.from_bytes(header[0:4], "big"), int.from_bytes(header[4:8], "big")
    depth, colour, interlace = header[8], header[9], header[12]
    assert depth == 8 and colour in (2, 6) and interlace == 0, "unsupported PNG"
    channels = 4 if colour == 6 else 3
    raw, stride = zlib.decompress(idat), width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        unfilter(kind, row, previous, channels)
        rows.append(row)
        previous = row
    pixels = b"".join(rows)
    if channels == 3:
        rgba = bytearray(width * height * 4)
        rgba[0::4], rgba[1::4], rgba[2::4] = pixels[0::3], pixels[1::3], pixels[2::3]
        rgba[3::4] = b"\xff" * (width * height)
        pixels = bytes(rgba)
    return width, height, pixels


def unfilter(kind, row, above, bpp):
    if kind == 1:
        for i in range(bpp, len(row)):
            row[i] = (row[i] + row[i - bpp]) & 0xFF
    elif kind == 2:
        for i in range(len(row)):
            row[i] = (row[i] + above[i]) & 0xFF
    elif kind == 3:
        for i in range(len(row)):
            left = row[i - bpp] if i >= bpp else 0
            row[i] = (row[i] + (left + above[i]) // 2) & 0xFF
    elif kind == 4:
        for i in range(len(row)):
            a = row[i - bpp] if i >= bpp else 0
            b, c = above[i], above[i - bpp] if i >= bpp else 0
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            pred = a if pa <= pb and pa <= pc else b if pb <= pc else c
            row[i] = (row[i] + pred) & 0xFF
