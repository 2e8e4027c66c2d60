#!/usr/bin/env python3
"""Checks that every module's includes match what CMakeLists.txt declares.

The layers are read from the set(TAMREL_LAYER_N ...) lists and the modules
from the tamrel_module(NAME DEPENDS ...) calls of the top CMakeLists.txt;
then every #include "FOLDER/..." of src/NAME is read.  It fails, naming the
file and line, when
  - a module includes a module it does not name in DEPENDS (the layer roots
    would let it build, but its library would not link what it uses),
  - DEPENDS names a module that no file of the module includes,
  - a folder includes a module of a higher layer (the front ends, which are
    no tamrel_module(), are checked against their layer alone),
  - a folder of src/ is in no layer, or a module names an unknown module.

Usage: module_includes.py [SOURCE_DIR]   (the project root; default: this
file's project)
"""
import os
import re
import sys

HEADER_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/[^"]*"')
LAYER = re.compile(r"\bset\(\s*TAMREL_LAYER_(\d+)\b([^)]*)\)")
MODULE = re.compile(r"(?<![\w(])tamrel_module\s*\(([^)]*)\)")


def strip_comments(text):
    """CMake text with each # comment blanked to its line end (lines kept)."""
    lines = []
    for line in text.split("\n"):
        quoted = False
        for i, c in enumerate(line):
            if c == '"':
                quoted = not quoted
            elif c == "#" and not quoted:
                line = line[:i]
                break
        lines.append(line)
    return "\n".join(lines)


def line_of(text, offset):
    return text.count("\n", 0, offset) + 1


def read_cmake(path):
    """({folder: layer}, {module: (depends list, line)}) from CMakeLists.txt."""
    text = strip_comments(open(path, encoding="utf-8").read())
    layers = {}
    for m in LAYER.finditer(text):
        for folder in m.group(2).split():
            layers[folder] = int(m.group(1))
    modules = {}
    for m in MODULE.finditer(text):
        words = m.group(1).split()
        depends, keyword = [], None
        for word in words[1:]:
            if word.isupper():
                keyword = word
            elif keyword == "DEPENDS":
                depends.append(word)
        modules[words[0]] = (depends, line_of(text, m.start()))
    return layers, modules


def includes_of(folder):
    """[(path, line, included folder)] for every #include "FOLDER/..." below folder."""
    found = []
    for root, _, files in sorted(os.walk(folder)):
        for name in sorted(files):
            if not name.endswith(HEADER_SUFFIXES):
                continue
            path = os.path.join(root, name)
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if m:
                        found.append((path, number, m.group(1)))
    return found


def check(source_dir):
    """The problems found, one message each."""
    cmake = os.path.join(source_dir, "CMakeLists.txt")
    src = os.path.join(source_dir, "src")
    layers, modules = read_cmake(cmake)
    folders = sorted(d for d in os.listdir(src) if os.path.isdir(os.path.join(src, d)))
    problems = []
    for folder in folders:
        if folder not in layers:
            problems.append("src/%s: in no TAMREL_LAYER_N list of CMakeLists.txt" % folder)
    for name, (depends, line) in sorted(modules.items()):
        where = "CMakeLists.txt:%d: tamrel_module(%s)" % (line, name)
        if name not in layers:
            problems.append("%s: %s is in no layer" % (where, name))
        for dep in depends:
            if dep not in layers:
                problems.append("%s: DEPENDS names %s, which is in no layer" % (where, dep))
    for folder in folders:
        if folder not in layers:
            continue
        used = set()
        for path, number, target in includes_of(os.path.join(src, folder)):
            if target == folder or target not in layers:
                continue  # its own headers, or no module's (a system folder)
            used.add(target)
            where = "%s:%d: includes %s/" % (os.path.relpath(path, source_dir), number, target)
            if layers[target] > layers[folder]:
                problems.append("%s, of layer %d, above %s's layer %d"
                                % (where, layers[target], folder, layers[folder]))
            elif folder in modules and target not in modules[folder][0]:
                problems.append("%s, but tamrel_module(%s) does not name %s in DEPENDS"
                                % (where, folder, target))
        if folder in modules:
            depends, line = modules[folder]
            for dep in depends:
                if dep in layers and dep not in used:
                    problems.append("CMakeLists.txt:%d: tamrel_module(%s) DEPENDS %s, but no file "
                                    "of src/%s includes %s/" % (line, folder, dep, folder, dep))
    return problems, len(modules)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    source_dir = argv[1] if len(argv) > 1 else os.path.dirname(os.path.dirname(here))
    problems, module_count = check(source_dir)
    for problem in problems:
        print(problem)
    if problems:
        print("%d problems: make DEPENDS in CMakeLists.txt name exactly the modules each "
              "module includes" % len(problems))
        return 1
    print("%d modules: every include is declared, every dependency is used" % module_count)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
