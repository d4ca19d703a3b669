#!/usr/bin/env python3
"""The layering checker finds what it must, on small trees made here."""
import os
import subprocess
import sys
import tempfile

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layers.py")


def run(files):
    with tempfile.TemporaryDirectory() as root:
        for rel, text in files.items():
            path = os.path.join(root, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(text)
        r = subprocess.run([sys.executable, CHECKER, root], capture_output=True, text=True)
        return r.returncode, r.stdout


CLEAN = {
    "src/core/Text.h": "#include <string>\n",
    "src/model/HoleLists.h": '#include "core/Text.h"\n#include "stream/QuorvaneFiles.h"\n',
    "src/document/old/Read500.cpp": '#include "document/Manifolds.h"\n#include "model/HoleLists.h"\n',
    "src/view3d/scene/GLScene.cpp": '#include "core/Color.h"\n#include <QImage>\n#include <GL/gl.h>\n',
    "src/view3d/Builder.cpp": '#include "view3d/scene/GLScene.h"\n#include "document/Manifolds.h"\n',
    "testkit/Writers.cpp": '#include "document/Manifolds.h"\n#include "testkit/TestFiles.h"\n',
    "tools/samplegen/main.cpp": '#include "testkit/SampleDesigns.h"\n',
}

CASES = [
    # (what is added, the text the report must hold)
    ({"src/core/Bad.h": '#include "model/HoleLists.h"\n'}, 'src/core/Bad.h:1: core includes "model/HoleLists.h"'),
    ({"src/model/Bad.cpp": '\n#include "document/Manifolds.h"\n'}, "src/model/Bad.cpp:2: model includes"),
    ({"src/view3d/scene/Bad.cpp": '#include "view3d/Builder.h"\n'}, "scene includes \"view3d/Builder.h\""),
    ({"src/document/old/Bad.cpp": '#include "platform/IniFiles.h"\n'}, "document includes"),
    ({"src/shell/Bad.cpp": '#include "testkit/TestFiles.h"\n'}, "shell includes \"testkit/TestFiles.h\""),
    ({"testkit/Bad.cpp": '#include "view3d/scene/GLScene.h"\n'}, "testkit includes"),
    ({"src/model/Bad.cpp": '#include "HoleLists.h"\n'}, '"HoleLists.h" does not name its layer'),
    ({"src/stream/Bad.cpp": "#include <QFile>\n"}, "stream must not use <QFile>"),
    ({"src/document/Bad.cpp": "#include <GL/gl.h>\n"}, "document must not use <GL/gl.h>"),
    ({"src/platform/Bad.cpp": "#include <QtCore/QString>\n"}, "platform must not use Qt"),
]


def main():
    failures = []
    code, out = run(CLEAN)
    if code != 0:
        failures.append(f"a clean tree was refused:\n{out}")
    for extra, expected in CASES:
        files = dict(CLEAN)
        files.update(extra)
        code, out = run(files)
        if code != 1 or expected not in out:
            failures.append(f"{list(extra)[0]}: expected exit 1 and '{expected}', got {code}:\n{out}")
    for f in failures:
        print(f)
    print(f"{len(CASES) + 1 - len(failures)} of {len(CASES) + 1} cases right")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
