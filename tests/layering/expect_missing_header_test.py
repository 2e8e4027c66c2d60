#!/usr/bin/env python3
"""The verdicts of expect_missing_header.py on the build outputs of the
compilers it knows: it passes a refused include alone."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from expect_missing_header import verdict  # noqa: E402

HEADER = "extract/extract.h"
MAKE_TAIL = "gmake[2]: *** [probe.cpp.o] Error 1\n"
CASES = [
    # (what, build status, build output, passes)
    ("gcc refuses the include", 2,
     "probe.cpp:4:10: fatal error: extract/extract.h: No such file or directory\n" + MAKE_TAIL, True),
    ("clang refuses the include", 2, "probe.cpp:4:10: fatal error: 'extract/extract.h' file not found\n", True),
    ("MSVC refuses the include", 2,
     "probe.cpp(4): fatal error C1083: Cannot open include file: 'extract/extract.h': No such file or directory\n",
     True),
    ("the probe builds", 0, "[100%] Built target layering_probe\n", False),
    ("a syntax error comes first", 2,
     "probe.cpp:3:13: error: expected primary-expression before ';' token\n"
     "probe.cpp:4:10: fatal error: extract/extract.h: No such file or directory\n", False),
    ("another header is missing", 2,
     "probe.cpp:4:10: fatal error: extract/other.h: No such file or directory\n", False),
    ("the build fails without compiling", 2, "CMake Error: not a build tree\n" + MAKE_TAIL, False),
]


def main():
    failures = 0
    for what, status, output, passes in CASES:
        why = verdict(status, output, HEADER)
        if (why is None) != passes:
            failures += 1
            print("FAIL %s: verdict %r" % (what, why))
    print("%d of %d cases as expected" % (len(CASES) - failures, len(CASES)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
