#!/usr/bin/env python3
"""Runs module_includes.py on small made-up trees: each case is a
CMakeLists.txt and a few source files, with the problems the checker must
name (empty: it must pass)."""
import os
import subprocess
import sys
import tempfile

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "module_includes.py")

LAYERS = """# a comment naming tamrel_module(ghost DEPENDS base) is no call
set(TAMREL_LAYER_0 base)
set(TAMREL_LAYER_1 reader other)
set(TAMREL_LAYER_2 front)
"""
SOUND = LAYERS + """tamrel_module(base)
tamrel_module(reader DEPENDS base)
tamrel_module(other
  DEPENDS reader base)
"""
SOUND_FILES = {
    "base/base.h": "#include <string>\n",
    "reader/reader.h": '#include "base/base.h"\n#include "reader/own.h"\n',
    "other/other.cpp": '#include "reader/reader.h"\n  #  include "base/base.h"\n',
    "front/main.cpp": '#include "other/other.h"\n#include "gtest/gtest.h"\n',
}

CASES = [
    ("sound tree", SOUND, {}, []),
    ("a module of the same layer, not declared",
     SOUND.replace("DEPENDS reader base", "DEPENDS base"), {},
     ["src/other/other.cpp:1: includes reader/, but tamrel_module(other) does not name reader"]),
    ("a dependency no file includes",
     SOUND.replace("tamrel_module(reader DEPENDS base)", "tamrel_module(reader DEPENDS base other)"), {},
     ["CMakeLists.txt:6: tamrel_module(reader) DEPENDS other, but no file of src/reader includes other/"]),
    ("a module reaching up", SOUND, {"base/up.h": '#include "reader/reader.h"\n'},
     ["src/base/up.h:1: includes reader/, of layer 1, above base's layer 0"]),
    ("a front end reaching up", SOUND.replace("set(TAMREL_LAYER_2 front)", "set(TAMREL_LAYER_0 base front)"), {},
     ["src/front/main.cpp:1: includes other/, of layer 1, above front's layer 0"]),
    ("a new layer and module", SOUND + "set(TAMREL_LAYER_3 top)\ntamrel_module(top DEPENDS other)\n",
     {"top/top.h": '#include "other/other.h"\n'}, []),
    ("a folder in no layer", SOUND, {"stray/stray.h": "\n"},
     ["src/stray: in no TAMREL_LAYER_N list"]),
    ("a dependency in no layer", SOUND.replace("tamrel_module(base)", "tamrel_module(base DEPENDS gone)"), {},
     ["tamrel_module(base): DEPENDS names gone, which is in no layer"]),
]


def run_case(cmake, extra_files):
    with tempfile.TemporaryDirectory() as root:
        with open(os.path.join(root, "CMakeLists.txt"), "w") as f:
            f.write(cmake)
        for name, text in {**SOUND_FILES, **extra_files}.items():
            path = os.path.join(root, "src", name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(text)
        return subprocess.run([sys.executable, CHECKER, root], capture_output=True, text=True)


def main():
    failures = 0
    for title, cmake, extra_files, expected in CASES:
        run = run_case(cmake, extra_files)
        reported = run.stdout.splitlines()[:-1]  # the last line sums up
        ok = run.returncode == (1 if expected else 0) and len(reported) == len(expected) and \
            all(any(e in line for line in reported) for e in expected)
        if not ok:
            failures += 1
            print("FAIL %s: exit %d\n%s%s" % (title, run.returncode, run.stdout, run.stderr))
    print("%d of %d cases as expected" % (len(CASES) - failures, len(CASES)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
