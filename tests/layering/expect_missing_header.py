#!/usr/bin/env python3
"""Builds a probe that must not build, and passes only when the compiler
refused it for the one reason the probe is about: the header it includes is
not on its include path, although the header is there in a higher layer.

Any other failure (a typo in the probe, a broken header below it, a build
tree that does not configure) fails this check, as does a probe that builds.

Usage: expect_missing_header.py BUILD_DIR TARGET HEADER LAYER_ROOT
  HEADER      the include as the probe writes it, e.g. extract/extract.h
  LAYER_ROOT  the folder of the layers' include roots (LAYER_ROOT/N/...)
"""
import glob
import os
import re
import subprocess
import sys

# A compiler's error line (gcc, clang, MSVC); make's "Error 1" is no match.
COMPILER_ERROR = re.compile(r":\s*(?:fatal )?error\b")


def missing_header_patterns(header):
    h = re.escape(header)
    return [
        re.compile(r"fatal error: %s: No such file or directory" % h),        # gcc
        re.compile(r"fatal error: '%s' file not found" % h),                  # clang
        re.compile(r"fatal error C1083: Cannot open include file: '%s'" % h),  # MSVC
    ]


def verdict(returncode, output, header):
    """None when the build failed on the missing header first, else why not."""
    if returncode == 0:
        return "the probe built: %s is reachable from its layer" % header
    errors = [line for line in output.splitlines() if COMPILER_ERROR.search(line)]
    if not errors:
        return "the build failed without a compiler error"
    if not any(p.search(errors[0]) for p in missing_header_patterns(header)):
        return "the first compiler error is not the missing %s:\n  %s" % (header, errors[0])
    return None


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    build_dir, target, header, layer_root = argv[1:]
    # Without this the probe would also "pass" once the header is renamed.
    homes = glob.glob(os.path.join(layer_root, "*", header))
    if not homes:
        print("FAIL: %s is in no layer under %s: the probe tests nothing" % (header, layer_root))
        return 1
    run = subprocess.run(["cmake", "--build", build_dir, "--target", target],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    why = verdict(run.returncode, run.stdout, header)
    if why:
        print(run.stdout)
        print("FAIL: %s" % why)
        return 1
    print("ok: %s refused %s, which is %s" % (target, header, homes[0]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
