#!/usr/bin/env python3
"""The suite's bite: what share of a list of realistic one-line faults the native suite catches.

Each fault is put, one at a time, into a scratch copy of the working tree (its tracked files
and the untracked ones git does not ignore, as they are now, uncommitted changes included);
the scratch build is rebuilt and `make check`'s suite runs in it, stopping at the first failing
test: first every test that took under --slow-seconds in the unmodified run, then the slow ones
(a test that times out gets one more try with more time). The copy is restored after every
fault, and on any exit or interruption. Logs: SCRATCH/.bite-logs/ID.{build,test1,test2}.log.

Usage: scripts/fault-bite.sh [--list FILE] [--only ID,...] [--scratch DIR] [--build-dir DIR]
                             [--jobs N] [--slow-seconds S] [--check-list]

The list (scripts/faults.txt) holds entries of four fields, one to a line:

    [id]
    file: path/from/the/repository/root.cpp
    from: the original line, exactly as it stands (its indentation may be left out)
    to: the faulty line (left empty, the line is deleted)
    breaks: what a user would see go wrong

A fault whose original line is not found exactly once in its file is reported stale and not
counted; so is one that does not compile.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
CTEST = ["ctest", "--label-exclude", "browser", "--stop-on-failure", "--timeout", "300",
         "--output-on-failure"]
LONG_TIMEOUT = 900  # for a second try of a test that timed out
MANIFEST = ".bite-files"  # the files the last sync copied, so that removed ones go too


class Interrupted(Exception):
    pass


def on_signal(number, _frame):
    raise Interrupted(signal.Signals(number).name)


class Fault:
    def __init__(self, ident, line):
        self.id, self.line = ident, line
        self.fields = {}

    file = property(lambda self: self.fields.get("file", ""))
    from_ = property(lambda self: self.fields.get("from", ""))
    to = property(lambda self: self.fields.get("to", ""))
    breaks = property(lambda self: self.fields.get("breaks", ""))


def read_list(path):
    faults, current = [], None
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        text = raw.rstrip()
        if not text.strip() or text.lstrip().startswith("#"):
            continue
        header = re.fullmatch(r"\[([\w.-]+)\]", text.strip())
        if header:
            current = Fault(header.group(1), number)
            faults.append(current)
            continue
        field = re.fullmatch(r"(file|from|to|breaks):\s?(.*)", text)
        if not field or current is None:
            sys.exit(f"{path}:{number}: expected [id] or file:, from:, to:, breaks:")
        current.fields[field.group(1)] = field.group(2).strip()
    ids = [f.id for f in faults]
    for f in faults:
        if ids.count(f.id) > 1:
            sys.exit(f"{path}:{f.line}: the id {f.id} is used twice")
        for name in ("file", "from", "breaks"):
            if not f.fields.get(name):
                sys.exit(f"{path}:{f.line}: [{f.id}] has no {name}:")
        if "to" not in f.fields:
            sys.exit(f"{path}:{f.line}: [{f.id}] has no to:")
        if f.fields["to"] == f.fields["from"]:
            sys.exit(f"{path}:{f.line}: [{f.id}] changes nothing")
    return faults


def apply(fault, original):
    """The file's text with the fault in it, or None when its line is not there exactly once."""
    lines = original.split("\n")
    hits = [i for i, line in enumerate(lines) if line.strip() == fault.from_]
    if len(hits) != 1:
        return None
    at = hits[0]
    indent = lines[at][: len(lines[at]) - len(lines[at].lstrip())]
    lines[at] = indent + fault.to if fault.to else ""
    return "\n".join(lines)


def tree_files():
    out = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=REPO,
                         check=True, capture_output=True).stdout.decode()
    return sorted(name for name in out.split("\0") if name and (REPO / name).is_file())


def sync(scratch):
    """Copies the working tree into scratch, rewriting only the files whose content differs, so
    that the build there recompiles what changed (ccache makes the rest cheap)."""
    scratch.mkdir(parents=True, exist_ok=True)
    files = tree_files()
    manifest = scratch / MANIFEST
    previous = set(manifest.read_text().split("\n")) if manifest.exists() else set()
    for name in previous - set(files) - {""}:
        (scratch / name).unlink(missing_ok=True)
    copied = 0
    for name in files:
        source, target = REPO / name, scratch / name
        data = source.read_bytes()
        if target.is_file() and target.read_bytes() == data:
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
        shutil.copymode(source, target)
        copied += 1
    manifest.write_text("\n".join(files))
    return copied


def run(command, cwd, log):
    """Runs command in its own process group, its output into log; the group goes on interrupt."""
    with open(log, "w") as out:
        process = subprocess.Popen(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        try:
            return process.wait()
        except BaseException:
            os.killpg(process.pid, signal.SIGTERM)
            try:
                process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
            raise


def configure(scratch, build, log):
    command = ["cmake", "-S", str(scratch), "-B", str(build), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
               f"-DVULCARA_WEB_DIR={scratch / 'build-web'}",
               "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    return run(command, scratch, log) == 0


def first_failure(log):
    text = Path(log).read_text(errors="replace")
    failed = re.search(r"Test\s+#\d+: (\S+) \.*\s*\*+(\w+)", text)
    if failed:
        return failed.group(1), failed.group(2)
    listed = re.search(r"tests FAILED:\s*\n\s*\d+ - (\S+) \(([^)]*)\)", text)
    if listed:
        return listed.group(1), listed.group(2)
    return "(ctest failed: see " + str(log) + ")", "?"


def split_slow(log, seconds):
    """The suite in two runs: the tests that took under seconds in the baseline, then the rest.
    ctest starts the slowest first and, stopping on a failure, still waits for the tests under
    way: so a fault that a quick test catches would wait for the minutes-long runs."""
    timed = re.findall(r"Test\s+#\d+: (\S+) \.+\s+Passed\s+([\d.]+) sec",
                       Path(log).read_text(errors="replace"))
    slow = [name for name, took in timed if float(took) >= seconds]
    if not slow:
        return [[]]
    pattern = "|".join("^" + re.escape(name) + "$" for name in slow)
    return [["-E", pattern], ["-R", pattern]]


def warnings_in(log):
    return len(re.findall(r": warning: ", Path(log).read_text(errors="replace")))


def try_fault(fault, scratch, build, logs, jobs, phases):
    path = scratch / fault.file
    if not path.is_file():
        return "stale", "no such file"
    original = path.read_bytes()
    faulty = apply(fault, original.decode())
    if faulty is None:
        return "stale", "the original line is not there exactly once"
    try:
        path.write_bytes(faulty.encode())
        build_log = logs / f"{fault.id}.build.log"
        if run(["cmake", "--build", str(build), "-j", str(jobs)], scratch, build_log) != 0:
            return "no-compile", f"does not compile (see {build_log})"
        note = ""
        if warnings_in(build_log):
            note = f" [warns: see {build_log}]"
        started = time.monotonic()
        for phase, selection in enumerate(phases):
            test_log = logs / f"{fault.id}.test{phase + 1}.log"
            failed = run(CTEST + ["-j", str(jobs)] + selection, build, test_log) != 0
            if failed and first_failure(test_log)[1] == "Timeout":
                # On a busy machine a slow test may time out by itself: once more, given time.
                test_log = logs / f"{fault.id}.test{phase + 1}.again.log"
                failed = run(CTEST + ["-j", str(jobs), "--timeout", str(LONG_TIMEOUT)] + selection,
                             build, test_log) != 0
                note += " [timed out once]"
            if failed:
                name, how = first_failure(test_log)
                return "caught", f"{name} ({how}, {time.monotonic() - started:.0f} s){note}"
        return "missed", f"MISSED ({time.monotonic() - started:.0f} s){note}"
    finally:
        # Written back as new, never with its old time, so the next build recompiles it.
        path.write_bytes(original)


def report(results):
    width = max([len(f.id) for f, _, _ in results] + [2])
    file_width = max([len(f.file) for f, _, _ in results] + [4])
    print()
    print(f"{'id':<{width}}  {'file':<{file_width}}  caught by / MISSED")
    for fault, _, text in results:
        print(f"{fault.id:<{width}}  {fault.file:<{file_width}}  {text}")
    counted = [kind for _, kind, _ in results if kind in ("caught", "missed")]
    caught = counted.count("caught")
    left_out = len(results) - len(counted)
    share = f"{100 * caught / len(counted):.0f} %" if counted else "-"
    print()
    print(f"caught {caught} of {len(counted)} ({share})"
          + (f"; {left_out} not counted (stale or not compiling)" if left_out else ""))
    missed = [f for f, kind, _ in results if kind == "missed"]
    if missed:
        print("\nmissed:")
        for f in missed:
            print(f"  {f.id}: {f.breaks}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--list", type=Path, default=REPO / "scripts" / "faults.txt")
    parser.add_argument("--only", default="", help="comma-separated fault ids")
    parser.add_argument("--scratch", type=Path, default=Path("/work/bite-scratch"),
                        help="the copy of the tree (default /work/bite-scratch)")
    parser.add_argument("--build-dir", type=Path, default=None,
                        help="its build (default SCRATCH/build; keep it inside SCRATCH, so that "
                             "ccache finds what the repository's own build compiled)")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--slow-seconds", type=float, default=30.0,
                        help="tests that took this long in the baseline run last (default 30)")
    parser.add_argument("--check-list", action="store_true",
                        help="only check that every fault's line is found in the working tree")
    args = parser.parse_args()

    faults = read_list(args.list)
    if args.only:
        wanted = args.only.split(",")
        unknown = set(wanted) - {f.id for f in faults}
        if unknown:
            sys.exit("unknown fault ids: " + ", ".join(sorted(unknown)))
        faults = [f for f in faults if f.id in wanted]
    if args.check_list:
        stale = [f for f in faults
                 if not (REPO / f.file).is_file() or apply(f, (REPO / f.file).read_text()) is None]
        for f in stale:
            print(f"stale: [{f.id}] {f.file}: {f.from_}")
        print(f"{len(faults) - len(stale)} of {len(faults)} faults apply")
        return 1 if stale else 0

    scratch = args.scratch.resolve()
    build = (args.build_dir or scratch / "build").resolve()
    if scratch == REPO or REPO in scratch.parents:
        sys.exit("the scratch copy must lie outside the repository")
    logs = scratch / ".bite-logs"
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, on_signal)

    results = []
    try:
        copied = sync(scratch)
        shutil.rmtree(logs, ignore_errors=True)
        logs.mkdir()
        print(f"scratch copy {scratch} ({copied} files updated), build {build}", flush=True)
        if not configure(scratch, build, logs / "configure.log"):
            sys.exit(f"the scratch build does not configure: see {logs / 'configure.log'}")
        if run(["cmake", "--build", str(build), "-j", str(args.jobs)], scratch,
               logs / "baseline.build.log") != 0:
            sys.exit(f"the unmodified tree does not build: see {logs / 'baseline.build.log'}")
        started = time.monotonic()
        if run(CTEST + ["-j", str(args.jobs)], build, logs / "baseline.test.log") != 0:
            name, how = first_failure(logs / "baseline.test.log")
            sys.exit(f"the unmodified suite fails ({name}, {how}): see {logs / 'baseline.test.log'}")
        print(f"the unmodified suite passes ({time.monotonic() - started:.0f} s)", flush=True)
        phases = split_slow(logs / "baseline.test.log", args.slow_seconds)

        for number, fault in enumerate(faults, 1):
            kind, text = try_fault(fault, scratch, build, logs, args.jobs, phases)
            results.append((fault, kind, text))
            print(f"[{number}/{len(faults)}] {fault.id} ({fault.file}): {text}", flush=True)
        report(results)
        # The build matches the restored copy again.
        run(["cmake", "--build", str(build), "-j", str(args.jobs)], scratch,
            logs / "restored.build.log")
    except Interrupted as stop:
        if results:
            report(results)
        print(f"\ninterrupted ({stop}); the scratch copy is restored", file=sys.stderr)
        return 130
    return 0


if __name__ == "__main__":
    sys.exit(main())
