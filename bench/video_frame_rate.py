"""Frames a second of a run written as a video against the same run captured as a PNG file a
frame, and what each writes per minute of show, on this machine:
    python3 bench/video_frame_rate.py [SECONDS]
after `make build`. The run is the README's: the show from the start, the key that starts the
eruption pressed at 35.5 s, 60 seconds unless SECONDS says otherwise. Each way runs twice, taking
turns with the others, and its better frame rate counts: on a shared machine the other's load
comes and goes."""

import os
import re
import subprocess
import sys
import tempfile
import time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
DATA = os.path.join(ROOT, "build", "data")
seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 60.0


def run(out, *options):
    key = os.path.join(out, "key.txt")
    with open(key, "w") as script:
        script.write("35.5 keydown SPACE\n36 keyup SPACE\n")
    start = time.monotonic()
    done = subprocess.run(["../app/vulcara", "--headless", "--fixed-step", "20", "--seconds",
                           str(seconds), "--input", key, "--benchmark", *options],
                          cwd=DATA, capture_output=True, text=True, check=True)
    total = time.monotonic() - start
    frames, wall = re.search(r"benchmark: (\d+) frames, ([\d.]+) s wall", done.stdout).groups()
    return int(frames) / float(wall), total


def size(path):
    if os.path.isfile(path):
        return os.path.getsize(path)
    return sum(os.path.getsize(os.path.join(path, name)) for name in os.listdir(path))


with tempfile.TemporaryDirectory() as out:
    ways = [("no output", [], None),
            ("PNG a frame", ["--capture", os.path.join(out, "png"), "--capture-every", "1"], "png"),
            ("--video .mp4", ["--video", os.path.join(out, "show.mp4")], "show.mp4"),
            ("--video .webm", ["--video", os.path.join(out, "show.webm")], "show.webm")]
    best = {}
    for _ in range(2):
        for name, options, _written in ways:
            best[name] = max(best.get(name, (0, 0)), run(out, *options))
    print(f"{seconds:g} s of show at 50 frames a second, 800x600")
    for name, _options, written in ways:
        fps, total = best[name]
        line = f"{name:14} {fps:6.1f} frames/s in the loop, {total:6.1f} s in all"
        if written:
            line += f", {size(os.path.join(out, written)) * 60 / seconds / 1e6:7.1f} MB a minute"
        print(line, flush=True)
