"""Documents against pdflatex and bibtex.

For each seed a document tree is generated (gen_documents.py) and compiled
once with pdflatex; bibtex then reads the .aux LaTeX wrote.  The truth:
- the keys in order of first citation, as the .aux files list them
  (\\citation lines, each \\@input file where it stands, "*" for
  \\nocite{*}), and the libraries of \\bibdata;
- the .tex files pdflatex opened (its -recorder list);
- the keys bibtex writes to the .bbl, through a style that writes every
  entry it is handed in citation order.
The citation finder (the driver) must give the same keys, libraries and
files; with --tamrel, extract's item file must list the .bbl's keys.

Exit status: 0 no difference, 1 a difference or a document LaTeX refused,
77 pdflatex, bibtex or a package is not installed (the test is skipped).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_documents  # noqa: E402

# Writes "\bibitem{key}" for every entry bibtex hands the style, in the
# order of citation (no sorting).
KEYS_STYLE = """ENTRY { } { } { }
FUNCTION {write.key} { "\\bibitem{" cite$ * "}" * write$ newline$ }
FUNCTION {default.type} { write.key }
FUNCTION {misc} { write.key }
FUNCTION {control} { write.key }
READ
ITERATE {call.type$}
"""

PACKAGES = ["subfiles.cls", "import.sty", "biblatex.sty", "natbib.sty", "listings.sty", "fancyvrb.sty",
            "verbatim.sty"]
BIBLATEX_CONTROL = "biblatex-control"


def installed():
    for program in ("pdflatex", "bibtex", "kpsewhich"):
        if shutil.which(program) is None:
            return "%s not installed" % program
    for package in PACKAGES:
        found = subprocess.run(["kpsewhich", package], capture_output=True, text=True).stdout.strip()
        if not found:
            return "%s not installed" % package
    return None


def split_list(text):
    return [item for item in text.split(",") if item != ""]


def read_aux(folder, name, citations, bibdata, seen):
    """The .aux as bibtex reads it: \\citation and \\bibdata lines, and
    each \\@input file (named from the main .aux's folder) where it stands."""
    path = os.path.join(folder, name)
    if path in seen or not os.path.exists(path):
        return
    seen.add(path)
    with open(path, encoding="latin-1") as aux:
        for line in aux:
            match = re.match(r"\\(citation|bibdata|@input)\{([^}]*)\}", line)
            if not match:
                continue
            command, argument = match.groups()
            if command == "citation":
                citations.extend(split_list(argument))
            elif command == "bibdata":
                bibdata.extend(split_list(argument))
            else:
                read_aux(folder, argument, citations, bibdata, seen)


def distinct(items):
    seen = set()
    out = []
    for item in items:
        if item not in seen:
            seen.add(item)
            out.append(item)
    return out


def library_name(name):
    return name[:-4] if name.endswith(".bib") else name


def recorded_inputs(folder, tree):
    """The generated .tex files pdflatex read (its .fls list).  LaTeX's
    checks whether a file exists are listed too, as "./name" (the search
    path's "." before the name): they are no reading."""
    opened = set()
    path = os.path.join(folder, "main.fls")
    if not os.path.exists(path):
        return opened
    real_folder = os.path.realpath(folder)
    with open(path, encoding="latin-1") as fls:
        for line in fls:
            if not line.startswith("INPUT "):
                continue
            name = line[6:].rstrip("\n")
            if name.startswith("./") or name.startswith("/"):
                continue
            full = os.path.realpath(os.path.join(folder, name))
            relative = os.path.relpath(full, real_folder)
            if relative in tree.files and relative.endswith(".tex"):
                opened.add(relative)
    return opened


def run(command, folder, timeout=120):
    return subprocess.run(command, cwd=folder, capture_output=True, timeout=timeout,
                          stdin=subprocess.DEVNULL)


def latex_errors(folder):
    path = os.path.join(folder, "main.log")
    if not os.path.exists(path):
        return ["no log"]
    with open(path, encoding="latin-1") as log:
        return [line.rstrip() for line in log if line.startswith("! ")]


def bbl_keys(folder):
    """bibtex's keys, through the keys style; None when bibtex has no \\bibdata."""
    aux_path = os.path.join(folder, "main.aux")
    with open(aux_path, encoding="latin-1") as aux:
        lines = [line for line in aux if not line.startswith("\\bibstyle")]
    if not any(line.startswith("\\bibdata") for line in lines):
        return None
    with open(aux_path, "w", encoding="latin-1") as aux:
        aux.writelines(lines + ["\\bibstyle{keys}\n"])
    run(["bibtex", "main"], folder)
    bbl = os.path.join(folder, "main.bbl")
    if not os.path.exists(bbl):
        return None
    with open(bbl, encoding="latin-1") as text:
        keys = re.findall(r"\\bibitem\{([^}]*)\}", text.read())
    return [key for key in keys if key != BIBLATEX_CONTROL]


NOT_FOUND = re.compile(r"^! LaTeX Error: File `(.*)' not found\.")


def strip_tex(name):
    return name[:-4] if name.endswith(".tex") else name


def finder_reading(driver, folder):
    out = run([driver, os.path.join(folder, "main.tex")], folder).stdout.decode("latin-1")
    reading = {"key": [], "bibdata": [], "read": [], "missing": []}
    for line in out.splitlines():
        label, _, value = line.partition("\t")
        reading.setdefault(label, []).append(value)
    return reading


def extract_items(tamrel, folder):
    out = os.path.join(folder, "extract-out")
    os.makedirs(out, exist_ok=True)
    run([tamrel, "extract", os.path.join(folder, "main.tex"), os.path.join(folder, "refs.bib"), "-o", out], folder)
    items = os.path.join(out, "refs_extract_items.txt")
    if not os.path.exists(items):
        return None
    with open(items, encoding="latin-1") as text:
        return [line.rstrip("\n") for line in text if line.strip()]


class Tally:
    def __init__(self):
        self.documents = 0
        self.refused = 0
        self.stopped = 0  # on a file that is nowhere LaTeX looks
        self.citations = 0
        self.files = 0
        self.differences = {}
        self.modes = {}

    def differ(self, kind, seed, detail, shown):
        self.differences.setdefault(kind, []).append(seed)
        if len(self.differences[kind]) <= shown:
            print("seed %d: %s differ: %s" % (seed, kind, detail))

    def summary(self, seconds):
        kinds = ", ".join("%s %d" % (kind, len(seeds)) for kind, seeds in sorted(self.differences.items()))
        modes = ", ".join("%s %d" % item for item in sorted(self.modes.items()))
        return ("documents %d (%s), refused by LaTeX %d, stopped on a file not found %d, citations compared %d, "
                "files compared %d, differences: %s, %.0f s" % (self.documents, modes, self.refused, self.stopped,
                                                               self.citations, self.files, kinds or "none",
                                                               seconds))


def check_document(seed, args, tally, scratch):
    tree = gen_documents.generate(seed)
    folder = os.path.join(scratch, "seed-%d" % seed)
    os.makedirs(folder)
    for path, text in tree.files.items():
        os.makedirs(os.path.dirname(os.path.join(folder, path)) or folder, exist_ok=True)
        with open(os.path.join(folder, path), "w", encoding="utf-8") as out:
            out.write(text)
    with open(os.path.join(folder, "keys.bst"), "w") as out:
        out.write(KEYS_STYLE)
    tally.documents += 1
    tally.modes[tree.mode] = tally.modes.get(tree.mode, 0) + 1
    run(["pdflatex", "-interaction=nonstopmode", "-recorder", "main.tex"], folder)
    errors = latex_errors(folder)
    lost = NOT_FOUND.match(errors[0]) if errors else None
    if lost:
        # The generator put a file where the import package's folders do not
        # lead, and LaTeX stops there.  The finder must say it cannot find it.
        reading = finder_reading(args.driver, folder)
        tally.stopped += 1
        if strip_tex(lost.group(1)) in map(strip_tex, reading["missing"]):
            return True
        tally.differ("missing", seed, "pdflatex found no %s, the finder reports %s missing" % (
            lost.group(1), reading["missing"]), args.show)
        return False
    if errors:
        tally.refused += 1
        print("seed %d: LaTeX refused the document: %s" % (seed, errors[0]))
        return False
    citations, bibdata = [], []
    read_aux(folder, "main.aux", citations, bibdata, set())
    want_keys = [key for key in distinct(citations) if key != BIBLATEX_CONTROL]
    want_bibdata = [library_name(name) for name in bibdata if name != "main-blx"]
    want_files = recorded_inputs(folder, tree)
    reading = finder_reading(args.driver, folder)
    got_files = {os.path.relpath(path, folder) for path in reading["read"]}
    tally.citations += len(want_keys)
    tally.files += len(want_files)
    same = True
    shown = args.show
    if reading["key"] != want_keys:
        tally.differ("keys", seed, "pdflatex %s, finder %s" % (want_keys, reading["key"]), shown)
        same = False
    if [library_name(name) for name in reading["bibdata"]] != want_bibdata:
        tally.differ("libraries", seed, "pdflatex %s, finder %s" % (want_bibdata, reading["bibdata"]), shown)
        same = False
    if got_files != want_files:
        tally.differ("files", seed, "pdflatex only %s, finder only %s" % (
            sorted(want_files - got_files), sorted(got_files - want_files)), shown)
        same = False
    if args.tamrel:
        bbl = bbl_keys(folder)
        if bbl is not None:
            items = extract_items(args.tamrel, folder)
            if items != bbl:
                tally.differ("extract", seed, "bibtex %s, extract %s" % (bbl, items), shown)
                same = False
    return same


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--driver", required=True, help="the citations_driver program")
    parser.add_argument("--tamrel", help="the tamrel program: also compare extract's items with the .bbl")
    parser.add_argument("--seed", type=int, default=1, help="first seed")
    parser.add_argument("--count", type=int, default=0, help="documents to try")
    parser.add_argument("--seconds", type=float, default=0, help="or: try documents for this long")
    parser.add_argument("--keep", help="copy each differing tree into this folder")
    parser.add_argument("--show", type=int, default=5, help="differences printed per kind")
    args = parser.parse_args()
    missing = installed()
    if missing:
        print("SKIP: %s" % missing)
        return 77
    args.driver = os.path.abspath(args.driver)
    args.tamrel = os.path.abspath(args.tamrel) if args.tamrel else None
    if not args.count and not args.seconds:
        args.count = 10
    tally = Tally()
    start = time.time()
    scratch = tempfile.mkdtemp(prefix="tamrel-texdiff-")
    try:
        seed = args.seed
        while (args.count and tally.documents < args.count) or (args.seconds and time.time() - start < args.seconds):
            if not check_document(seed, args, tally, scratch) and args.keep:
                shutil.copytree(os.path.join(scratch, "seed-%d" % seed), os.path.join(args.keep, "seed-%d" % seed),
                                dirs_exist_ok=True)
            shutil.rmtree(os.path.join(scratch, "seed-%d" % seed), ignore_errors=True)
            seed += 1
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(tally.summary(time.time() - start))
    return 1 if tally.differences or tally.refused else 0


if __name__ == "__main__":
    sys.exit(main())
