"""The web page in headless Chromium, served by the README's command on a free port, next to the
native program (VULCARA_WEB_DIR, VULCARA_EXE, VULCARA_DATA_DIR): one scripted run in each, the
page's console, the program's captures of the same frames, the page's own picture, and a key
pressed in the browser ending the run; then the page on a phone, and with a gamepad."""

import base64
import contextlib
import os
import pathlib
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

STATUS = "document.getElementById('status')?.textContent"
CAPTURES = "(program?.FS.analyzePath('cap').exists ? program.FS.readdir('cap').length - 2 : 0)"

# Pictures as the page's browser decodes them: a PNG's (width, height, RGBA), from base64 or the
# program's files; two same-sized pictures' mean difference in 255ths; and each capture's size,
# pixels of the blast's lava glow, and its difference from the capture before.
PIXELS = """async function pixels(png) {
  png = png.startsWith('cap/') ? program.FS.readFile(png)
                               : Uint8Array.from(atob(png), c => c.charCodeAt(0));
  const image = await createImageBitmap(new Blob([png]), {colorSpaceConversion: 'none'});
  const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
  context.drawImage(image, 0, 0);
  return [image.width, image.height, context.getImageData(0, 0, image.width, image.height).data];
}
var difference = (a, b) => a.reduce(
    (sum, value, i) => i % 4 == 3 ? sum : sum + Math.abs(value - b[i]), 0) / a.length * 4 / 3;
async function census() {
  const rows = [];
  let last = null;
  for (const name of program.FS.readdir('cap').filter(name => name[0] != '.').sort()) {
    const [width, height, p] = await pixels('cap/' + name);
    let glow = 0;
    for (let i = 0; i < p.length; i += 4) glow += p[i] > 220 && p[i + 1] > 150 && p[i + 2] < 150;
    rows.push([width, height, glow, last ? difference(last, p) : 0]);
    last = p;
  }
  return rows;
}"""


def wait_for(browser, expression, timeout):
    deadline = time.monotonic() + timeout
    while not browser.evaluate(expression):
        assert time.monotonic() < deadline, expression
        time.sleep(0.1)


def key(browser, name="Escape", code=27):
    for kind in ("keyDown", "keyUp"):
        browser.send("Input.dispatchKeyEvent", type=kind, key=name, code=name,
                     windowsVirtualKeyCode=code)


def play(browser, scripts):
    """One show at 500 ms a frame: once its nth capture exists, the nth script runs (a key at
    about 35.5 s starts the blast 2 s later, free flight 14 s later). The scripts' values, the
    census of the captures, and the program's record of live input, [seconds, event, ...] each."""
    values = []
    for count, script in enumerate(scripts, 1):
        wait_for(browser, f"{CAPTURES} >= {count}", 600)
        values.append(script and browser.evaluate(script))
    wait_for(browser, f"{STATUS} == 'The demo has ended.'", 120)
    browser.evaluate(PIXELS)
    recorded = browser.evaluate("program.FS.readFile('live.txt', {encoding: 'utf8'})")
    return values, browser.evaluate("census()"), [row.split() for row in recorded.splitlines()[1:]]


def native_run(folder):
    pathlib.Path(folder, "input.txt").write_text(INPUT_SCRIPT)
    args = [a for name, value in OPTIONS.items() for a in ("--" + name, value)]
    run = subprocess.run([os.environ["VULCARA_EXE"], "--headless", "--seconds", "42", "--input",
                          "input.txt", "--benchmark", *args], cwd=folder, capture_output=True,
                         text=True, timeout=300)
    assert run.returncode == 0, run.stdout + run.stderr
    print("native:", run.stdout.splitlines()[-1])
    names = sorted(os.listdir(os.path.join(folder, "cap")))
    assert len(names) == len(OPTIONS["capture-at"].split(",")), names
    return names, pathlib.Path(folder, "conout.log").read_text().splitlines()


def serve_as_the_readme_shows(folder):
    """The README's server command for the folder, on a free port: (process, port)."""
    text = pathlib.Path(__file__).parent.joinpath("../../README.md").read_text()
    block = text.index("```sh\n", text.index("## In a web browser")) + 6
    words = shlex.split(text[block:text.index("```", block)])
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    words = [folder if w == "build-web" else w for w in words[:-1]] + [str(port)]
    server = subprocess.Popen(words, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        with contextlib.suppress(OSError):
            socket.create_connection(("127.0.0.1", port)).close()
            return server, port
        time.sleep(0.1)
    server.kill()
    raise TimeoutError(" ".join(words) + " serves nothing")


def setUpModule():
    global PAGE
    server, port = serve_as_the_readme_shows(os.environ["VULCARA_WEB_DIR"])
    unittest.addModuleCleanup(lambda: (server.terminate(), server.wait()))
    PAGE = f"http://127.0.0.1:{port}/vulcara.html"


class WebPage(unittest.TestCase):
    """On a desktop's 800 x 600 viewport, where the canvas has the native program's size."""

    @classmethod
    def setUpClass(cls):
        work = tempfile.TemporaryDirectory(prefix="vulcara-web-test-")
        cls.addClassCleanup(work.cleanup)
        data = os.path.join(work.name, "data")
        shutil.copytree(os.environ["VULCARA_DATA_DIR"], data)
        names, cls.native_log = native_run(data)
        query = urllib.parse.urlencode({**OPTIONS, "input-text": INPUT_SCRIPT, "benchmark": ""})
        b = cls.browser = Browser(f"{PAGE}?{query}")
        cls.addClassCleanup(b.close)
        # The start screen, the loading bar, and the console a second into the wait; a key.
        wait_for(b, f"{STATUS}?.startsWith('Tap')", 120)
        time.sleep(1)
        cls.start = b.evaluate(f"[{STATUS}, progress.value, progress.max]") + [b.console_lines()]
        key(b, "Enter", 13)
        wait_for(b, f"{CAPTURES} == {len(names)}", 900)
        b.evaluate(PIXELS)
        # Each capture's size and the native one's, and their colours' mean difference.
        png = lambda name: base64.b64encode(pathlib.Path(data, "cap", name).read_bytes()).decode()
        cls.compared = [b.evaluate(f"""Promise.all([pixels('{png(name)}'),
            pixels('cap/{name}')]).then(([a, b]) => [a[0], a[1], b[0], b[1],
                                                     difference(a[2], b[2])])""") for name in names]
        # The page's size, how many colours it shows, and whether the touch pad is there.
        shot = base64.b64encode(b.screenshot()).decode()
        cls.page = b.evaluate(f"""pixels('{shot}').then(([width, height, rgba]) => [width, height,
            new Set(new Uint32Array(rgba.buffer)).size, getComputedStyle(pad).display])""")
        key(b)  # Escape ends the run
        wait_for(b, f"{STATUS} == 'The demo has ended.'", 120)
        print("web:", b.console_lines()[-1])

    def test_the_loading_bar_fills_and_the_start_screen_waits_for_a_gesture(self):
        text, received, total, lines = self.start
        self.assertEqual(text, "Tap, click or press a key to start — sound on")
        self.assertEqual((received, lines, total > 10_000_000), (total, [], True))

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
        width, height, colours, pad = self.page
        self.assertEqual((width, height, pad), (800, 600, "none"))
        self.assertGreater(colours, 1000)


# Input in one task of the page (the browser's own comes with each frame of its software renderer,
# too slowly for a tap): a finger on the canvas, down, moved by dy CSS pixels at a time and up; one
# on a button of the touch pad; and stand-in gamepads, none until plugPad() plugs one in.
INPUT = """function finger(x, y, moves = 0, dy = 0) {
  for (let i = -1; i <= moves + 1; ++i) {
    const point = new Touch({identifier: 1, target: canvas, clientX: x, clientY: y + dy * i});
    const type = i < 0 ? 'touchstart' : i > moves ? 'touchend' : 'touchmove';
    canvas.dispatchEvent(new TouchEvent(type, {touches: i > moves ? [] : [point],
                                               changedTouches: [point]}));
  }
}
const press = (key, type) => document.querySelector(`[data-key=${key}]`).dispatchEvent(
    new PointerEvent(type, {pointerType: 'touch', bubbles: true}));
const gamepad = {id: 'Stand-in', index: 0, connected: true, mapping: 'standard', timestamp: 1,
                 axes: [0, 0, 0, 0], buttons: [...Array(17)].map(() => ({pressed: 0, value: 0}))};
let pads = [];
navigator.getGamepads = () => pads;
const plugPad = () => dispatchEvent(Object.assign(new Event('gamepadconnected'),
                                                  {gamepad: (pads = [gamepad])[0]}));
function setPad(part, index, value) {
  gamepad[part][index] = part == 'axes' ? value : {pressed: value > 0, value};
  gamepad.timestamp++;
}"""


class PageOnAPhone(unittest.TestCase):
    """A phone held upright, 390 x 844 CSS pixels of 3 device pixels each: the show played by
    touch, and again, on the same page, with a gamepad plugged in while it runs."""

    @classmethod
    def setUpClass(cls):
        # Scrolling, the canvas's box and pixels, and the touch pad's display and place below it.
        fit = """(box => [document.documentElement.scrollWidth > innerWidth ||
            document.documentElement.scrollHeight > innerHeight, [box.x, box.y, box.width,
            box.height], [canvas.width, canvas.height], getComputedStyle(pad).display,
            pad.getBoundingClientRect().top - box.bottom])(canvas.getBoundingClientRect())"""
        # Each capture's time, and what touch, and then a gamepad, do there.
        steps = [(30, None, "plugPad()"),
                 (35, f"[{fit}, finger(195, 422)][0]", "setPad('buttons', 0, 1)"),  # the key
                 (37, None, "setPad('buttons', 0, 0)"), (42, None, None),  # the blast
                 (55, "finger(195, 380, 10, 8)", "setPad('axes', 3, 1)"),  # free flight: turn
                 (58, "press('ArrowUp', 'pointerdown')", "setPad('axes', 3, 0)"),
                 (63, "press('ArrowUp', 'pointerup')", None), (66, None, None)]
        times = ",".join(str(step[0]) for step in steps)
        b = Browser(f"{PAGE}?fixed-step=500&record-input=live.txt&capture=cap&capture-at={times}"
                    "&seconds=66.5", width=390, height=844, scale=3, touch=True, script=INPUT)
        cls.addClassCleanup(b.close)
        wait_for(b, f"{STATUS}?.startsWith('Tap')", 120)
        for kind, points in ("touchStart", [{"x": 195, "y": 422}]), ("touchEnd", []):
            b.send("Input.dispatchTouchEvent", type=kind, touchPoints=points)  # a tap to start
        cls.touch = play(b, [step[1] for step in steps])
        b.evaluate("document.getElementById('again').click()")
        cls.pad = play(b, [step[2] for step in steps])

    def test_the_canvas_fills_the_width_without_scrolling_at_the_devices_pixels(self):
        (_, (scrolls, box, pixels, pad, pad_below), *_), census, _ = self.touch
        self.assertEqual((scrolls, box, pixels), (False, [0, 276, 390, 292], [1170, 876]))
        self.assertEqual((pad, pad_below >= 0), ("grid", True))  # shown, in the lower bar
        self.assertEqual({tuple(row[:2]) for row in census}, {(1170, 876)})

    def test_a_tap_or_the_pads_a_starts_the_blast_and_a_drag_or_its_stick_turns_the_view(self):
        for _, census, _ in self.touch, self.pad:
            _, key_wait, _, blast, before_turn, turned = census[:6]
            self.assertEqual((key_wait[2], blast[2] > 0), (0, True))
            self.assertGreater(turned[3], 20)

    # Ten steps forward change the picture less than the sea's waves do: what the arrow does to
    # the camera is the native tests' to show; the program gets the arrow as from a held key.
    def test_the_touch_pad_held_is_the_up_arrow_held_repeating_until_released(self):
        recorded = self.touch[2]
        held = {seconds for seconds, *event in recorded if event == ["keydown", "UP"]}
        self.assertGreaterEqual(len(held), 6)  # frames of the five seconds held
        self.assertEqual(recorded[-1][1:], ["keyup", "UP"])


class PageWithoutWebGl2(unittest.TestCase):
    def test_says_what_is_missing_instead_of_running(self):
        browser = Browser(PAGE, "--disable-webgl2")
        self.addCleanup(browser.close)
        wait_for(browser, f"{STATUS}?.startsWith('Vulcara needs WebGL 2')", 10)


if __name__ == "__main__":
    unittest.main(verbosity=2)
