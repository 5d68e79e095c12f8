#!/usr/bin/env python3
"""Fails with a list when the tracked sources break the tree's structural rules.

- An include runs to a layer the including file's layer may not see. The layers and what each
  may see are read from the top CMakeLists.txt (its vulcara_layer lines), the same statement the
  build turns into include paths; above platform/ only its public headers are seen, and SDL and
  OpenGL not at all. The asset generator sees only tools/; tests/ and bench/ see everything.
- Files of different concepts include each other in a circle (a .h/.cpp pair is one concept).
- A file outside tests/ runs over 500 lines, or a C++ function outside tests/ over 60 (from its
  opening brace to its closing one).
"""
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
MAX_FILE_LINES = 500
MAX_FUNCTION_LINES = 60
CPP_SUFFIXES = (".cpp", ".h", ".c")
SUPPORT_FOLDER = "tests/support"
BACKEND_INCLUDE = re.compile(r"#\s*include\s*<(SDL|epoxy/|GL/|GLES)")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def tracked_files():
    listing = subprocess.run(["git", "ls-files"], cwd=ROOT, capture_output=True, text=True,
                             check=True).stdout.split()
    return [name for name in listing if (ROOT / name).is_file()]


def read(name):
    return (ROOT / name).read_text(encoding="utf-8", errors="replace")


def read_layers():
    """Each layer with the layers it may see, and the headers platform/ shows above itself."""
    cmake = read("CMakeLists.txt")
    layers = {}
    for name, seen in re.findall(r"^\s*vulcara_layer\((\w+)((?:\s+\w+)*)\s*\)", cmake, re.M):
        words = seen.split()
        layers[name] = set(words[1:]) if words and words[0] == "SEES" else set()
    public = re.search(r"set\(VULCARA_PLATFORM_PUBLIC_HEADERS([^)]*)\)", cmake)
    if not layers or not public:
        sys.exit("check-structure: no vulcara_layer lines or public header list in CMakeLists.txt")
    return layers, {"platform/" + header for header in public.group(1).split()}


def layer_of(name, layers):
    top = name.split("/", 1)[0]
    if top in layers:
        return top
    return "tools" if top == "tools" else None


def check_layers(sources, layers, public):
    problems = []
    for name, text in sources.items():
        layer = layer_of(name, layers)
        if layer is None:
            continue
        seen = {"tools"} if layer == "tools" else layers[layer] | {layer}
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            where = f"{name}:{number}"
            if match:
                target = match.group(1)
                top = target.split("/", 1)[0]
                if "/" in target and (top in layers or top == "tools") and top not in seen:
                    problems.append(f"{where}: {layer}/ may not include {target}")
                elif top == "platform" and layer != "platform" and target not in public:
                    problems.append(f"{where}: {target} is not one of platform/'s public headers")
            elif layer not in ("platform", "tools") and BACKEND_INCLUDE.match(line.strip()):
                problems.append(f"{where}: only platform/ includes SDL or OpenGL")
    return problems


def resolve(name, target, files):
    for candidate in (target, str(Path(name).parent / target), f"{SUPPORT_FOLDER}/{target}"):
        if candidate in files:
            return candidate
    return None


def concept(name):
    return str(Path(name).with_suffix(""))


def reachable(graph, start):
    found, todo = set(), [start]
    while todo:
        for step in graph.get(todo.pop(), ()):
            if step not in found:
                found.add(step)
                todo.append(step)
    return found


def check_circles(sources):
    files = set(sources)
    graph = {}
    for name, text in sources.items():
        edges = graph.setdefault(concept(name), set())
        for target in INCLUDE.findall(text):
            found = resolve(name, target, files)
            if found and concept(found) != concept(name):
                edges.add(concept(found))
    reach = {node: reachable(graph, node) for node in graph}
    circles = {frozenset(other for other in reach[node] if node in reach[other]) for node in graph}
    return [f"include circle among {', '.join(sorted(circle))}"
            for circle in sorted(circles, key=sorted) if len(circle) > 1]


def strip_code(text):
    """The text with comments, strings and characters blanked, line breaks kept."""
    pattern = re.compile(r'//[^\n]*|/\*.*?\*/|R"(\w*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"'
                         r"|'(?:\\.|[^'\\\n])*'", re.S)
    return pattern.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)


def closing_brace(code, position):
    depth = 0
    for index in range(position, len(code)):
        if code[index] == "{":
            depth += 1
        elif code[index] == "}":
            depth -= 1
            if depth == 0:
                return index
    return len(code) - 1


SCOPE = re.compile(r"\b(namespace|class|struct|union|extern)\b")
BRACE_OR_END = re.compile(r"[{};]")
# A constructor's member initializers, and the end of a function's declarator: ")" with its
# qualifiers, or the last member initializer.
INITIALIZERS = re.compile(r"\) ?: ?\w")
DECLARATOR_END = re.compile(r"(\)( ?(const|override|final|noexcept|mutable|-> ?[\w:<>*& ]+))*|\})$")


def long_functions(name, text):
    """Functions over the limit: a brace opens a body when the text before it (back to the
    previous ; { or }) ends as a declarator does, with ")" and its qualifiers."""
    code = strip_code(text)
    code = re.sub(r"^\s*#[^\n]*", lambda m: re.sub(r"[^\n]", " ", m.group(0)), code, flags=re.M)
    found = []
    position = head_start = 0
    while brace := BRACE_OR_END.search(code, position):
        head = re.sub(r"\s+", " ", code[head_start:brace.start()]).strip()
        position = brace.end()
        if brace.group(0) != "{" or SCOPE.search(head) and not head.endswith(")"):
            head_start = position  # a statement's end, a scope's end, or a scope's members next
            continue
        end = closing_brace(code, brace.start())
        position = end + 1
        if INITIALIZERS.search(head) and re.search(r"\w$", head):
            continue  # a member's brace initializer: the body comes later
        first, last = code.count("\n", 0, brace.start()) + 1, code.count("\n", 0, end) + 1
        if DECLARATOR_END.search(head) and last - first + 1 > MAX_FUNCTION_LINES:
            found.append(f"{name}:{first}: function of {last - first + 1} lines: {head[-60:]}")
        head_start = position
    return found


def check_sizes(sources):
    problems = []
    for name, text in sources.items():
        if name.startswith("tests/") or name.endswith(".md"):
            continue
        lines = text.count("\n")
        if lines > MAX_FILE_LINES:
            problems.append(f"{name}: {lines} lines (at most {MAX_FILE_LINES})")
        if name.endswith(CPP_SUFFIXES):
            problems += long_functions(name, text)
    return problems


def main():
    names = tracked_files()
    sources = {name: read(name) for name in names}
    cpp = {name: text for name, text in sources.items() if name.endswith(CPP_SUFFIXES)}
    layers, public = read_layers()
    problems = check_layers(cpp, layers, public) + check_circles(cpp) + check_sizes(sources)
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"check-structure: {len(problems)} problems", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
