"""Reads generated libraries with bibtex and with Tamrel's BibTeX reader and
compares what each sees: the preamble, the entries in order, each entry's
type, key and fields.

bibtex's side: \\nocite{*} with fields_dump.bst.  Tamrel's side: the
fields_dump tool, which writes the same format.  Only the fields and types
the style declares are compared, since bibtex sees no others.

  bibtex_differential.py --tool PATH (--seeds A-B | --seconds N) [--keep DIR]

Exits 0 when every library agrees, 1 on a difference (the first few are
printed; --keep saves each differing library with both readings), 77 when
bibtex is not installed.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import bib_generator  # noqa: E402

STYLE = os.path.join(HERE, "fields_dump.bst")


def DeclaredNames(style_text):
    """The fields of ENTRY and the types that have a function of their own."""
    fields = re.search(r"ENTRY\s*\{([^}]*)\}", style_text).group(1).split()
    functions = re.findall(r"FUNCTION \{([^}]+)\} \{ dump\.entry \}", style_text)
    types = {name for name in functions if name != "default.type"}
    return set(fields) | {"crossref"}, types


def ParseDump(data):
    """The preamble and the entries [(type, key, {field: value})] of a dump."""
    preamble = None
    entries = []
    target = None  # [text] the next "+|" lines extend
    for line in data.split(b"\n"):
        if line.startswith(b"+|") and line.endswith(b"|") and target is not None:
            target[0] += line[2:-1]
        elif line == b"P":
            preamble = [b""]
            target = preamble
        elif line.startswith(b"@|"):
            key = [b""]
            entries.append((line[2:].decode("latin-1"), key, {}))
            target = key
        elif line.startswith(b"F|") and entries:
            value = [b""]
            name = line[2:].decode("latin-1")
            entries[-1][2].setdefault(name, value)
            target = value
        elif line:
            raise ValueError("unexpected line in dump: %r" % line[:80])
    flat = [(t, k[0], {n: v[0] for n, v in f.items()}) for t, k, f in entries]
    return (preamble[0] if preamble else b""), flat


def RunBibtex(folder, library):
    with open(os.path.join(folder, "lib.bib"), "wb") as f:
        f.write(library)
    with open(os.path.join(folder, "doc.aux"), "w") as f:
        f.write("\\relax\n\\citation{*}\n\\bibstyle{fields_dump}\n\\bibdata{lib}\n")
    shutil.copy(STYLE, folder)
    subprocess.run(["bibtex", "-terse", "doc"], cwd=folder, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=60)
    with open(os.path.join(folder, "doc.bbl"), "rb") as f:
        return f.read()


def RunTool(tool, folder):
    done = subprocess.run([tool, os.path.join(folder, "lib.bib")], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, timeout=60, check=True)
    return done.stdout


def Normalise(dump, fields, types):
    preamble, entries = ParseDump(dump)
    kept = []
    for entry_type, key, values in entries:
        if entry_type not in types:
            entry_type = ""  # bibtex's type$ for a type the style lacks
        kept.append((entry_type, key, {n: v for n, v in values.items() if n in fields}))
    return preamble, kept


def Differences(bibtex_side, tamrel_side):
    """Short descriptions of where the two readings part."""
    found = []
    if bibtex_side[0] != tamrel_side[0]:
        found.append("preamble: bibtex %r, tamrel %r" % (bibtex_side[0], tamrel_side[0]))
    theirs, ours = bibtex_side[1], tamrel_side[1]
    keys_theirs = [e[1] for e in theirs]
    keys_ours = [e[1] for e in ours]
    if keys_theirs != keys_ours:
        only_theirs = [k for k in keys_theirs if k not in keys_ours]
        only_ours = [k for k in keys_ours if k not in keys_theirs]
        found.append("entries: bibtex only %r, tamrel only %r" % (only_theirs[:5], only_ours[:5]))
    ours_by_key = {e[1]: e for e in ours}
    for entry_type, key, values in theirs:
        mine = ours_by_key.get(key)
        if mine is None:
            continue
        if mine[0] != entry_type:
            found.append("%r: type bibtex %r, tamrel %r" % (key, entry_type, mine[0]))
        for name in sorted(set(values) | set(mine[2])):
            a, b = values.get(name), mine[2].get(name)
            if a != b:
                found.append("%r.%s: bibtex %r, tamrel %r" % (key, name, a, b))
    return found


def ParseSeeds(text):
    first, _, last = text.partition("-")
    return range(int(first), int(last or first) + 1)


def Seeds(args):
    if args.seeds:
        yield from ParseSeeds(args.seeds)
        return
    end = time.time() + args.seconds
    seed = args.first_seed
    while time.time() < end:
        yield seed
        seed += 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--seeds", help="A-B: the seeds to run")
    parser.add_argument("--seconds", type=float, help="run new seeds for this long")
    parser.add_argument("--first-seed", type=int, default=1000000)
    parser.add_argument("--keep", help="save each differing library into this folder")
    args = parser.parse_args()
    if not args.seeds and not args.seconds:
        parser.error("give --seeds or --seconds")
    if shutil.which("bibtex") is None:
        print("bibtex is not installed: skipped")
        return 77
    with open(STYLE) as f:
        fields, types = DeclaredNames(f.read())

    libraries = entries = differing = 0
    shown = 0
    with tempfile.TemporaryDirectory() as folder:
        for seed in Seeds(args):
            library = bib_generator.GenerateLibrary(seed)
            bibtex_side = Normalise(RunBibtex(folder, library), fields, types)
            tamrel_side = Normalise(RunTool(args.tool, folder), fields, types)
            libraries += 1
            entries += len(bibtex_side[1])
            found = Differences(bibtex_side, tamrel_side)
            if not found:
                continue
            differing += 1
            if shown < 5:
                shown += 1
                print("seed %d:" % seed)
                for line in found[:6]:
                    print("  " + line)
            if args.keep:
                os.makedirs(args.keep, exist_ok=True)
                with open(os.path.join(args.keep, "seed%d.bib" % seed), "wb") as f:
                    f.write(library)
                with open(os.path.join(args.keep, "seed%d.txt" % seed), "w") as f:
                    f.write("\n".join(found) + "\n")
    print("libraries %d, entries (as bibtex reads them) %d, libraries that differ %d"
          % (libraries, entries, differing))
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
