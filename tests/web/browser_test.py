"""The web build in headless Chromium, next to the native program: the page served by the
README's command (on a free port), the start-up lines in the browser's console, the program's own captures judged by region as the native tests judge them
and compared with the native captures of the same frames, the page's picture, and a real key
press from the browser ending the run. Set VULCARA_WEB_DIR (the page), VULCARA_EXE and
VULCARA_DATA_DIR (the native program and its data folder)."""

import os
import shlex
import shutil
import socket
import subprocess
import tempfile
import time
import unittest
import urllib.parse

from dev_tools import Browser, decode_png

README = os.path.join(os.path.dirname(__file__), "..", "..", "README.md")

START_UP_LINES = [
    "***Orvanta Entry By Delcour***",
    "Type '/help' for a list of commands",
    "DirectAudio Init: OK",
    "Console Fire Init: OK",
    "Sky Dome Init: OK",
    "Particle System Init: OK",
    "Ocean Animation System Init: OK",
    "Volcano Terrain Generation: OK",
    "Explosion System Init: OK",
]
# The same run in both builds: a fixed step, the console opened by a scripted grave accent, and
# captures of the intro view before it and of the open console after it.
STEP_MS = 20
INPUT_SCRIPT = "1.5 char 96\n"
CAPTURE_AT = "1,2.5"


def is_subsequence(wanted, lines):
    found = iter(lines)
    return all(any(line == w for line in found) for w in wanted)


def mean(picture, x0, y0, width, height):
    w, _, rgba = picture
    sums = [0, 0, 0]
    for y in range(y0, y0 + height):
        row = rgba[(y * w + x0) * 4:(y * w + x0 + width) * 4]
        for c in range(3):
            sums[c] += sum(row[c::4])
    return [s / (width * height) for s in sums]


def red_spread(picture, x0, y0, width, height):
    w, _, rgba = picture
    reds = [rgba[(y * w + x) * 4] for y in range(y0, y0 + height) for x in range(x0, x0 + width)]
    m = sum(reds) / len(reds)
    return (sum((r - m) ** 2 for r in reds) / len(reds)) ** 0.5


def mean_difference(a, b):
    """Mean absolute difference of the colour channels, in 8-bit steps."""
    total = sum(abs(p - q) for i, (p, q) in enumerate(zip(a[2], b[2])) if i % 4 != 3)
    return total / (a[0] * a[1] * 3)


def native_captures(folder):
    with open(os.path.join(folder, "input.txt"), "w") as script:
        script.write(INPUT_SCRIPT)
    run = subprocess.run(
        [os.environ["VULCARA_EXE"], "--headless", "--fixed-step", str(STEP_MS), "--seconds", "3",
         "--input", "input.txt", "--capture", "cap", "--capture-at", CAPTURE_AT, "--benchmark"],
        cwd=folder, capture_output=True, text=True, timeout=300)
    assert run.returncode == 0, run.stdout + run.stderr
    print("native:", run.stdout.strip().splitlines()[-1])
    names = sorted(os.listdir(os.path.join(folder, "cap")))
    return [decode_png(open(os.path.join(folder, "cap", n), "rb").read()) for n in names], names


def serve_as_the_readme_shows(folder):
    """Starts the README's server command for the folder on a free port: (process, port)."""
    text = open(README).read()
    block = text.index("```sh\n", text.index("## In a web browser")) + 6
    words = shlex.split(text[block:text.index("```", block)].strip())
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    words = [folder if w == "build-web" else w for w in words[:-1]] + [str(port)]
    server = subprocess.Popen(words, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return server, port
        except OSError:
            time.sleep(0.1)
    server.kill()
    server.wait()
    raise TimeoutError(" ".join(words) + " serves nothing")


class WebPage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory(prefix="vulcara-web-test-")
        data = os.path.join(cls.work.name, "data")
        shutil.copytree(os.environ["VULCARA_DATA_DIR"], data)
        cls.native, names = native_captures(data)
        cls.server, cls.browser = None, None
        query = urllib.parse.urlencode({"fixed-step": STEP_MS, "input-text": INPUT_SCRIPT,
                                        "capture": "/cap", "capture-at": CAPTURE_AT,
                                        "benchmark": ""})
        try:
            cls.server, port = serve_as_the_readme_shows(os.environ["VULCARA_WEB_DIR"])
            url = f"http://127.0.0.1:{port}/vulcara.html?{query}"
            cls.browser = Browser(url)
            cls.browser.wait_for_console(
                lambda lines: sum(line.startswith("captured ") for line in lines) == 2, 600)
            cls.screenshot = decode_png(cls.browser.screenshot())
            cls.web = [decode_png(bytes(cls.browser.evaluate(
                f"Array.from(FS.readFile('/cap/{n}'))"))) for n in names]
            cls.browser.press("Escape", "Escape", 27)
            cls.browser.wait_for_console(
                lambda lines: any(line.startswith("benchmark: ") for line in lines), 120)
            cls.status = cls.browser.evaluate("document.getElementById('status').textContent")
            cls.lines = cls.browser.console_lines()
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        if cls.browser:
            cls.browser.close()
        if cls.server:
            cls.server.terminate()
            cls.server.wait()
        cls.work.cleanup()

    def test_start_up_lines_reach_the_browsers_console_in_order(self):
        self.assertTrue(is_subsequence(START_UP_LINES, self.lines), self.lines)

    def test_intro_view_shows_the_island_under_a_cloudy_sky(self):
        frame = self.web[0]
        self.assertEqual(frame[:2], (800, 600))
        sky = mean(frame, 0, 0, 800, 120)
        self.assertGreater(sky[0], 30)
        self.assertGreater(sky[2], sky[0] + 60)
        self.assertGreater(red_spread(frame, 0, 0, 800, 120), 5)
        island = mean(frame, 340, 400, 120, 180)
        self.assertGreater(island[0], island[2] + 8)

    def test_the_grave_accent_drops_the_console_over_the_top_half(self):
        closed, opened = self.web
        # Black at half opacity over the sky, flames along the backdrop's lower edge.
        sky, dimmed = mean(closed, 600, 0, 200, 40), mean(opened, 600, 0, 200, 40)
        self.assertAlmostEqual(dimmed[2], sky[2] / 2, delta=6)
        flames = mean(opened, 0, 260, 800, 35)
        self.assertGreater(flames[0], 40)
        self.assertGreater(flames[0], flames[1])
        lower = mean(opened, 0, 400, 800, 100)
        self.assertGreater(lower[2], lower[0] + 40)  # the sea, still uncovered

    def test_pictures_match_the_native_captures_of_the_same_frames(self):
        for web, native in zip(self.web, self.native):
            difference = mean_difference(web, native)
            print(f"mean difference from the native capture: {difference:.2f}")
            self.assertLess(difference, 8)

    def test_the_page_shows_the_scene_and_a_key_in_the_browser_ends_the_run(self):
        width, height, _ = self.screenshot
        self.assertGreaterEqual((width, height), (800, 600))
        self.assertGreater(red_spread(self.screenshot, 0, 0, 800, 120), 5)
        self.assertEqual(self.status, "The demo has ended.")
        print("web:", [line for line in self.lines if line.startswith("benchmark: ")][-1])


if __name__ == "__main__":
    unittest.main(verbosity=2)
