"""Frame rate of the web page in headless Chromium next to the native program, headless at the
same size (800x600), the same fixed step and the same number of frames, on this machine:
    python3 bench/web_frame_rate.py [FRAMES] [--split]
after `make web`. Prints each run's benchmark line, and how long the page took from opening to
its start screen and from the key pressed there to the program's first frame. With --split,
where the page's time goes: the page's main thread, sampled, by what runs there (the program's
.wasm, the .js runtime with its WebGL calls, the page's own script, or nothing, waiting), and
how busy the browser's GPU process is (its software rasteriser and compositor), each per frame."""

import collections
import os
import subprocess
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
import browser_test  # noqa: E402  (the page's server as the README shows it)
from dev_tools import Browser  # noqa: E402

# The page's clock when the start screen shows, at the first key, and at the program's first wait
# for a frame, which comes once its first frame is drawn.
TIMES = """new MutationObserver(() => {
  if (document.getElementById('status')?.textContent.startsWith('Tap')) {
    window.startScreenAt ??= performance.now();
  }
}).observe(document, {subtree: true, childList: true, characterData: true});
addEventListener('keydown', () => window.keyAt ??= performance.now(), true);
const request = requestAnimationFrame;
requestAnimationFrame = callback => {
  window.firstFrameAt ??= performance.now();
  return request(callback);
};"""

frames = next((a for a in sys.argv[1:] if a.isdigit()), "300")
split = "--split" in sys.argv


def start_split(browser):
    browser.send("Profiler.enable")
    browser.send("Profiler.start")
    browser.send("Tracing.start", traceConfig={"includedCategories": ["toplevel"]},
                 transferMode="ReportEvents")


def print_split(browser):
    profile = browser.send("Profiler.stop")["profile"]
    frames_ms = int(frames) * 1000
    where = {node["id"]: node["callFrame"] for node in profile["nodes"]}
    spent = collections.Counter()
    for sample, delta in zip(profile["samples"], profile["timeDeltas"]):
        frame = where[sample]
        name = frame["url"].rsplit("/", 1)[-1].split("?")[0] or frame["functionName"]
        name = "vulcara.wasm" if frame["url"].startswith("wasm:") else name
        spent[name if frame["url"] or name.startswith("(") else "(browser)"] += delta / frames_ms
    print("page's main thread, ms a frame:",
          ", ".join(f"{name} {ms:.1f}" for name, ms in spent.most_common(8)))
    browser.send("Tracing.end")
    events, busy = [], collections.Counter()
    while not events or events[-1].get("method") != "Tracing.tracingComplete":
        events.append(browser.read_message(60))
    names = {(e["pid"], e["tid"]): e["args"]["name"] for m in events
             for e in m.get("params", {}).get("value", []) if e.get("name") == "thread_name"}
    for m in events:
        for e in m.get("params", {}).get("value", []):
            if e.get("name") == "ThreadControllerImpl::RunTask":
                busy[names.get((e["pid"], e["tid"]))] += e.get("dur", 0) / frames_ms
    print("busy threads, ms a frame:",
          ", ".join(f"{name} {ms:.1f}" for name, ms in busy.most_common(4)))

native = subprocess.run(
    ["../app/vulcara", "--headless", "--fixed-step", "20", "--frames", frames, "--benchmark"],
    cwd=os.path.join(ROOT, "build", "data"), capture_output=True, text=True, check=True)
print("native:", native.stdout.splitlines()[-1])

server, port = browser_test.serve_as_the_readme_shows(os.path.join(ROOT, "build-web"))
try:
    browser = Browser(f"http://127.0.0.1:{port}/vulcara.html?fixed-step=20&frames={frames}"
                      "&benchmark", script=TIMES)
    try:
        browser_test.wait_for(browser, f"{browser_test.STATUS}?.startsWith('Tap')", 120)
        if split:
            start_split(browser)
        browser_test.key(browser, "Enter", 13)
        browser_test.wait_for(browser, f"{browser_test.STATUS} == 'The demo has ended.'", 900)
        print("web:   ", browser.console_lines()[-1])
        if split:
            print_split(browser)
        print("page: start screen %.2f s after opening, first frame %.2f s after the key" %
              tuple(browser.evaluate("[startScreenAt / 1000, (firstFrameAt - keyAt) / 1000]")))
    finally:
        browser.close()
finally:
    server.terminate()
    server.wait()
