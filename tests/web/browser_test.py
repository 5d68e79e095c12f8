"""The web page in headless Chromium, served by the README's command on a free port, next to the
native program (VULCARA_WEB_DIR, VULCARA_EXE, VULCARA_DATA_DIR): one scripted run in each, the
page's console, the program's captures of the same frames, the page's own picture, and a key
pressed in the browser ending the run."""

import os
import base64
import shlex
import shutil
import socket
import subprocess
import tempfile
import time
import unittest
import urllib.parse

from dev_tools import Browser

# A long fixed step through the show: the first caption, the rumble after the key held across
# 36 s, the blast, and the console opened by a grave accent over the eruption.
OPTIONS = {"fixed-step": "100", "capture": "cap", "capture-at": "2,36,38.5,41"}
INPUT_SCRIPT = "35.5 keydown SPACE\n36.5 keyup SPACE\n40 char 96\n"

# Pictures as the page's browser decodes them: a PNG's (width, height, RGBA), from base64 or the
# page's files.
PIXELS = """async function pixels(png) {
  png = png.startsWith('cap/') ? FS.readFile(png)
                               : Uint8Array.from(atob(png), c => c.charCodeAt(0));
  const image = await createImageBitmap(new Blob([png]), {colorSpaceConversion: 'none'});
  const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
  context.drawImage(image, 0, 0);
  return [image.width, image.height, context.getImageData(0, 0, image.width, image.height).data];
}"""


def native_run(folder):
    with open(os.path.join(folder, "input.txt"), "w") as script:
        script.write(INPUT_SCRIPT)
    args = [a for name, value in OPTIONS.items() for a in ("--" + name, value)]
    run = subprocess.run([os.environ["VULCARA_EXE"], "--headless", "--seconds", "42", "--input",
                          "input.txt", "--benchmark", *args], cwd=folder, capture_output=True,
                         text=True, timeout=300)
    assert run.returncode == 0, run.stdout + run.stderr
    print("native:", run.stdout.splitlines()[-1])
    names = sorted(os.listdir(os.path.join(folder, "cap")))
    assert len(names) == len(OPTIONS["capture-at"].split(",")), names
    with open(os.path.join(folder, "conout.log")) as log:
        return names, log.read().splitlines()


def native_png(folder, name):
    with open(os.path.join(folder, "cap", name), "rb") as file:
        return base64.b64encode(file.read()).decode()


def serve_as_the_readme_shows(folder):
    """The README's server command for the folder, on a free port: (process, port)."""
    with open(os.path.join(os.path.dirname(__file__), "../../README.md")) as readme:
        text = readme.read()
    block = text.index("```sh\n", text.index("## In a web browser")) + 6
    words = shlex.split(text[block:text.index("```", block)])
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    words = [folder if w == "build-web" else w for w in words[:-1]] + [str(port)]
    server = subprocess.Popen(words, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        try:
            socket.create_connection(("127.0.0.1", port)).close()
            return server, port
        except OSError:
            time.sleep(0.1)
    server.kill()
    raise TimeoutError(" ".join(words) + " serves nothing")


def setUpModule():
    global PAGE
    server, port = serve_as_the_readme_shows(os.environ["VULCARA_WEB_DIR"])
    unittest.addModuleCleanup(lambda: (server.terminate(), server.wait()))
    PAGE = f"http://127.0.0.1:{port}/vulcara.html"


class WebPage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        work = tempfile.TemporaryDirectory(prefix="vulcara-web-test-")
        cls.addClassCleanup(work.cleanup)
        data = os.path.join(work.name, "data")
        shutil.copytree(os.environ["VULCARA_DATA_DIR"], data)
        names, cls.native_log = native_run(data)
        query = urllib.parse.urlencode({**OPTIONS, "input-text": INPUT_SCRIPT, "benchmark": ""})
        cls.browser = Browser(f"{PAGE}?{query}")
        cls.addClassCleanup(cls.browser.close)
        b = cls.browser
        all_captured = lambda lines: sum(x.startswith("captured") for x in lines) == len(names)
        b.wait_for_console(all_captured, 900)
        b.evaluate(PIXELS)
        # Each capture's size and the native one's, and their colours' mean difference in 255ths.
        cls.compared = [b.evaluate(f"""(async () => {{
            const [a, b] = [await pixels('{native_png(data, name)}'), await pixels('cap/{name}')];
            let sum = 0;
            for (let i = 0; i < a[2].length; ++i) {{
                if (i % 4 != 3) sum += Math.abs(a[2][i] - b[2][i]);
            }}
            return [a[0], a[1], b[0], b[1], sum / (a[2].length * 3 / 4)];
        }})()""") for name in names]
        # The page's size and how many colours it shows.
        shot = base64.b64encode(b.screenshot()).decode()
        cls.page = b.evaluate(f"""pixels('{shot}').then(([width, height, rgba]) =>
            [width, height, new Set(new Uint32Array(rgba.buffer)).size])""")
        for kind in ("keyDown", "keyUp"):
            b.send("Input.dispatchKeyEvent", type=kind, key="Escape", code="Escape",
                   windowsVirtualKeyCode=27)
        b.wait_for_console(lambda lines: lines[-1].startswith("benchmark: "), 120)
        cls.status = b.evaluate("document.getElementById('status').textContent")
        print("web:", b.console_lines()[-1])

    def test_start_up_lines_reach_the_browsers_console_as_the_native_log_has_them(self):
        lines = self.browser.console_lines()
        self.assertEqual(len(self.native_log), 10)
        self.assertEqual(lines[:len(self.native_log)], self.native_log)

    def test_pictures_match_the_native_captures_of_the_same_frames(self):
        for native_width, native_height, width, height, difference in self.compared:
            self.assertEqual((width, height), (native_width, native_height))
            print(f"mean difference from the native capture: {difference:.2f} of 255")
            self.assertLess(difference, 4)

    def test_the_page_shows_the_scene_and_a_key_in_the_browser_ends_the_run(self):
        width, height, colours = self.page
        self.assertGreaterEqual(width, 800)
        self.assertGreaterEqual(height, 600)
        self.assertGreater(colours, 1000)
        self.assertEqual(self.status, "The demo has ended.")


class PageWithoutWebGl2(unittest.TestCase):
    def test_says_what_is_missing_instead_of_running(self):
        browser = Browser(PAGE, "--disable-webgl2")
        self.addCleanup(browser.close)
        status = "document.getElementById('status')?.textContent ?? ''"
        for _ in range(50):
            if browser.evaluate(status).startswith("Vulcara needs WebGL 2"):
                return
            time.sleep(0.2)
        self.fail(browser.evaluate(status))


if __name__ == "__main__":
    unittest.main(verbosity=2)
