#!/usr/bin/env python3
"""Checks that the code's includes point down the layers only.

Usage: check_layers.py SOURCE_ROOT

Every file under src/, app/, testkit/ and tools/ belongs to a layer by its
folder. A quoted include must name the layer of the file it includes
("model/HoleLists.h"), and that layer must be the file's own or one below
it. The lowest layers must not include Qt, OpenGL or network headers.
Prints each offending include as FILE:LINE and exits 1 when there is one.
"""
import os
import re
import sys

# The program's layers, lowest first: a file may include its own layer and
# the layers before it in this list.
PROGRAM_LAYERS = ["core", "stream", "model", "document", "check", "platform", "scene", "view3d", "update", "shell", "app"]
RANK = {name: i for i, name in enumerate(PROGRAM_LAYERS)}

# Beside the program: what the test kit and the command-line tools may use.
# The program itself never includes either.
SIDE_LAYERS = {
    "testkit": set(PROGRAM_LAYERS[: RANK["platform"] + 1]) | {"testkit"},
    "inspect": set(PROGRAM_LAYERS[: RANK["check"] + 1]) | {"inspect"},
    "samplegen": set(PROGRAM_LAYERS[: RANK["document"] + 1]) | {"testkit", "samplegen"},
}

# Layers that know nothing of Qt, OpenGL, the network or other desktop
# libraries, and the platform layer, which knows nothing of Qt.
NO_DESKTOP = {"core", "stream", "model", "document", "check"}
DESKTOP_HEADER = re.compile(r"^(Q[A-Za-z]*|Qt[A-Za-z]*/.*|GL/.*|EGL/.*|curl/.*|glib.*|gio/.*|spnav\.h|[A-Z][A-Za-z]*_[A-Za-z]+\.hxx)$")
QT_HEADER = re.compile(r"^(Q[A-Za-z]*|Qt[A-Za-z]*/.*)$")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")


def layer_of_file(rel):
    """The layer of a file given by its path from the source root, or None."""
    parts = rel.split("/")
    if parts[0] == "src" and len(parts) > 2:
        if parts[1] == "view3d" and len(parts) > 3 and parts[2] == "scene":
            return "scene"
        return parts[1]
    if parts[0] == "app":
        return "app"
    if parts[0] == "testkit":
        return "testkit"
    if parts[0] == "tools" and len(parts) > 2:
        return parts[1]
    return None


def layer_of_include(path):
    """The layer an include names by its first folder, or None."""
    parts = path.split("/")
    if len(parts) < 2:
        return None
    if parts[0] == "view3d" and len(parts) > 2 and parts[1] == "scene":
        return "scene"
    return parts[0]


def may_include(own, target):
    if own in SIDE_LAYERS:
        return target in SIDE_LAYERS[own]
    if own in RANK and target in RANK:
        return RANK[target] <= RANK[own]
    return False


def check(root):
    problems = []
    for top in ("src", "app", "testkit", "tools"):
        base = os.path.join(root, top)
        for folder, _, files in os.walk(base):
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(folder, name)
                rel = os.path.relpath(path, root).replace(os.sep, "/")
                own = layer_of_file(rel)
                if own is None:
                    continue
                if own not in RANK and own not in SIDE_LAYERS:
                    problems.append(f"{rel}: folder is not a known layer ({own})")
                    continue
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        quoted, target = m.group(1) == '"', m.group(2)
                        where = f"{rel}:{number}"
                        if quoted:
                            layer = layer_of_include(target)
                            if layer is None:
                                problems.append(f'{where}: "{target}" does not name its layer')
                            elif not may_include(own, layer):
                                problems.append(f'{where}: {own} includes "{target}" from {layer}, a layer above or beside it')
                        elif own in NO_DESKTOP and DESKTOP_HEADER.match(target):
                            problems.append(f"{where}: {own} must not use <{target}>")
                        elif own == "platform" and QT_HEADER.match(target):
                            problems.append(f"{where}: platform must not use Qt (<{target}>)")
    return problems


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    problems = check(argv[1])
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} include(s) break the layering")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
