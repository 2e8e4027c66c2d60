#!/usr/bin/env python3
"""Side by side: Tamrel's typeset references beside what bibtex prints with
apsrev4-2 (APS), iopart-num (IOP) and achemso (ACS) for the same entries.

For each entry it lists the parts each reference prints, in order (author,
title, journal, year, ...), found by their values, and says where Tamrel
prints a different set or order of parts.  Punctuation is not compared.
With --pdflatex it also compiles Tamrel's references in every style.
Without bibtex, or without a journal's style file, it lists Tamrel's parts
alone for that style.  It fails when Tamrel prints no reference for an entry.

Usage: bench/style_compare.py [--bib FILE] [--build DIR | --driver EXE] [--pdflatex]
  --build DIR   a build folder configured with the tests (the default): the
                driver is built there as DIR/bench/typeset_driver
  --driver EXE  a driver built already
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
STYLES = [("aps", "apsrev4-2"), ("iop", "iopart-num"), ("acs", "achemso")]
# Fields whose values are looked for in the references, in this order.
PARTS = ["author", "editor", "title", "booktitle", "journal", "edition", "series", "chapter", "volume",
         "number", "pages", "howpublished", "organization", "institution", "school", "publisher",
         "address", "note", "eprint", "url", "year"]


def read_bib(path):
    """Entries of a simple .bib (braced values): [(type, key, [(name, value)])]."""
    text = open(path, encoding="utf-8").read()
    entries = []
    for m in re.finditer(r"@(\w+)\s*\{\s*([^,\s]+)\s*,", text):
        fields, i, depth = [], m.end(), 1
        start = i
        while i < len(text) and depth > 0:
            depth += {"{": 1, "}": -1}.get(text[i], 0)
            i += 1
        body = text[start:i - 1]
        for f in re.finditer(r"(\w+)\s*=\s*\{", body):
            j, d = f.end(), 1
            while d > 0:
                d += {"{": 1, "}": -1}.get(body[j], 0)
                j += 1
            fields.append((f.group(1).lower(), " ".join(body[f.end():j - 1].split())))
        entries.append((m.group(1), m.group(2), fields))
    return entries


def build_driver(build_dir):
    """The driver from bench/CMakeLists.txt, built in build_dir."""
    run = subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", "bench_typeset_driver"],
                         stdout=subprocess.DEVNULL)
    if run.returncode != 0:
        sys.exit("could not build the driver in %s (configure it with -DTAMREL_TESTS=ON)" % build_dir)
    return os.path.join(build_dir, "bench", "typeset_driver" + (".exe" if os.name == "nt" else ""))


def tamrel_items(exe, entries, style, page_range="1"):
    feed = "".join("@%s %s\n%s\n" % (t, k, "".join("%s=%s\n" % f for f in fields)) for t, k, fields in entries)
    out = subprocess.run([exe, style, page_range], input=feed, capture_output=True, text=True, check=True).stdout
    return dict(re.findall(r"\\bibitem\{([^}]*)\}\n(.*?)\n\n", out, re.S)), out


def bibtex_items(bib, bst, work):
    d = tempfile.mkdtemp(dir=work)
    shutil.copy(bib, os.path.join(d, "refs.bib"))
    with open(os.path.join(d, "doc.aux"), "w") as f:
        f.write("\\citation{*}\n\\bibstyle{%s}\n\\bibdata{refs}\n" % bst)
    try:
        run = subprocess.run(["bibtex", "doc"], cwd=d, capture_output=True)
    except FileNotFoundError:
        return None
    bbl_path = os.path.join(d, "doc.bbl")
    # bibtex without the style file stops with status 2 (1 is warnings only).
    if run.returncode > 1 or not os.path.exists(bbl_path):
        return None
    bbl = open(bbl_path, encoding="utf-8", errors="replace").read()
    items = {}
    for m in re.finditer(r"\\bibitem\s*(?:\[(?:[^\[\]]|\[[^\]]*\])*\])?\s*\{([^}]*)\}(.*?)(?=\\bibitem|\\end\{)", bbl, re.S):
        items[m.group(1)] = m.group(2)
    return items


def plain(text):
    """The reference as words: no commands, braces or hyperlink targets."""
    text = re.sub(r"\\href\s*\{[^}]*\}", "", text)
    text = re.sub(r"\\(?:urlprefix|BibitemOpen|BibitemShut|EOS|relax|mcite\w*|EndOfBibitem|natexlab)\b", " ", text)
    text = re.sub(r"\{\\mcitedefault\w*\}", " ", text)
    text = re.sub(r"\\bibinfo\s*\{[^}]*\}", " ", text)
    text = re.sub(r"\\bibfield\s*\{[^}]*\}", " ", text)
    text = re.sub(r"\\[a-zA-Z@]+\s*", " ", text)
    text = text.replace("\\_", "_").replace("\\&", "&").replace("~", " ")
    text = re.sub(r"[{}\\]", "", text)
    return " ".join(text.split()).lower()


def needle(name, value):
    if name in ("author", "editor"):
        first = re.split(r"\s+and\s+", value)[0]
        surname = first.split(",")[0] if "," in first else first.split()[-1]
        return surname.strip("{} ").lower()
    if name == "pages":
        return re.split(r"\s*[-\u2013]+\s*", value)[0].lower()
    return " ".join(value.replace("{", "").replace("}", "").split()).lower()


def parts_in(text, fields):
    """The names of the fields found in text, in the order they appear."""
    words = plain(text)
    found = []
    for name, value in fields:
        if name not in PARTS or not value:
            continue
        n = needle(name, value)
        m = re.search(r"(?<![\w.])" + re.escape(n) + r"(?![\w])", words)
        if m:
            found.append((m.start(), name))
    return [name for _, name in sorted(found)]


def compile_all(outputs, work):
    failures = 0
    for style, text in outputs.items():
        tex = os.path.join(work, "refs_%s.tex" % style)
        with open(tex, "w") as f:
            f.write("\\documentclass{article}\n\\begin{document}\n\\begin{thebibliography}{99}\n%s"
                    "\\end{thebibliography}\n\\end{document}\n" % text)
        r = subprocess.run(["pdflatex", "-interaction=nonstopmode", "-halt-on-error", tex], cwd=work,
                           capture_output=True, text=True)
        print("pdflatex %s: %s" % (style, "ok" if r.returncode == 0 else "FAILED"))
        failures += r.returncode != 0
    return failures


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bib", default=os.path.join(HERE, "style_compare", "all_types.bib"))
    ap.add_argument("--build", default=os.path.join(ROOT, "build-typeset"))
    ap.add_argument("--driver")
    ap.add_argument("--pdflatex", action="store_true")
    args = ap.parse_args()
    entries = read_bib(args.bib)
    work = tempfile.mkdtemp(prefix="style-compare-")
    try:
        exe = args.driver or build_driver(args.build)
        outputs = {}
        unprinted = 0
        for style, bst in STYLES:
            ours, outputs[style] = tamrel_items(exe, entries, style)
            for t, key, fields in entries:
                if not parts_in(ours.get(key, ""), fields):
                    print("  %s: Tamrel printed no reference for %s" % (style.upper(), key))
                    unprinted += 1
            theirs = bibtex_items(args.bib, bst, work)
            if theirs is None:
                print("== %s: bibtex could not use %s; Tamrel's parts alone" % (style.upper(), bst))
                for t, key, fields in entries:
                    print("  %-14s tamrel: %s" % (key, " ".join(parts_in(ours.get(key, ""), fields))))
                print()
                continue
            agree = 0
            print("== %s: Tamrel beside %s" % (style.upper(), bst))
            for t, key, fields in entries:
                a, b = parts_in(ours.get(key, ""), fields), parts_in(theirs.get(key, ""), fields)
                same = a == b
                agree += same
                mark = "same " if same else "DIFF "
                print("  %s %-14s tamrel: %s" % (mark, key, " ".join(a)))
                if not same:
                    print("  %s %-14s %s: %s" % (" " * 5, "", bst, " ".join(b)))
            print("  %s: %d of %d entries print the same parts in the same order\n" % (style.upper(), agree, len(entries)))
        failed = unprinted > 0
        if args.pdflatex:
            failed = compile_all(outputs, work) > 0 or failed
        return 1 if failed else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
