"""Frame rate of the web page in headless Chromium next to the native program, headless at the
same size (800x600), the same fixed step and the same number of frames, on this machine:
    python3 bench/web_frame_rate.py [FRAMES]
after `make web`. Prints each run's benchmark line."""

import os
import subprocess
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
import browser_test  # noqa: E402  (the page's server as the README shows it)
from dev_tools import Browser  # noqa: E402

frames = sys.argv[1] if len(sys.argv) > 1 else "300"
native = subprocess.run(
    ["../app/vulcara", "--headless", "--fixed-step", "20", "--frames", frames, "--benchmark"],
    cwd=os.path.join(ROOT, "build", "data"), capture_output=True, text=True, check=True)
print("native:", native.stdout.splitlines()[-1])

server, port = browser_test.serve_as_the_readme_shows(os.path.join(ROOT, "build-web"))
try:
    browser = Browser(f"http://127.0.0.1:{port}/vulcara.html?fixed-step=20&frames={frames}"
                      "&benchmark")
    try:
        browser.wait_for_console(lambda lines: lines and lines[-1].startswith("benchmark"), 900)
        print("web:   ", browser.console_lines()[-1])
    finally:
        browser.close()
finally:
    server.terminate()
    server.wait()
