#!/usr/bin/env python3
"""Tamrel's references beside the journals' own BibTeX styles, as printed.

For each style, the same library goes through bibtex with the journal's
.bst and through `tamrel extract` (a document citing everything); both
reference lists are typeset by pdflatex in the same document class, and
the printed text of each reference (pdftotext; white space, ligatures and
dashes made one) is compared, reference by reference.

  aps     apsrev4-2 under revtex4-2 (aps,prb)   first page
  iop     iopart-num                           page range
  acs     JAmChemSoc (chembst)                 page range
  nature  naturemag                            page range
  rsc     rsc                                  page range

Entries on which the journal's style itself reports an error (a message of
bibtex's that names the entry and is no warning) are counted apart.

Usage: bench/style_compare.py --tamrel EXE [--styles aps,iop] [--short]
           [--bib FILE ...] [--corpus DIR] [--show N] [--require PERCENT]
  --short       the test library alone (bench/style_compare/all_types.bib)
  --bib FILE    compare these libraries instead
  --corpus DIR  the real libraries (default ../shared/corpus/real)
  --show N      print the first N differing references of each style
  --require P   fail when a style agrees on less than P percent
  --list        print each reference as the journal's style prints it
A style whose .bst is not installed is skipped, and so is the whole run
without bibtex, pdflatex or pdftotext.  The run fails when a Tamrel
reference list does not compile.
"""
import argparse
import collections
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
TEST_LIBRARY = os.path.join(HERE, "style_compare", "all_types.bib")
DEFAULT_CORPUS = os.path.join(ROOT, "..", "shared", "corpus", "real")

Style = collections.namedtuple("Style", "option bst documentclass pages")
ARTICLE = "\\documentclass{article}\n\\usepackage[numbers]{natbib}\n"
STYLES = [
    Style("aps", "apsrev4-2", "\\documentclass[aps,prb]{revtex4-2}\n", "first"),
    Style("iop", "iopart-num", ARTICLE, "range"),
    Style("acs", "JAmChemSoc", ARTICLE, "range"),
    Style("nature", "naturemag", ARTICLE, "range"),
    Style("rsc", "rsc", ARTICLE, "range"),
]
# A very wide and tall page, so that no reference is broken across lines
# or pages: what pdftotext reads is then the reference's own text.
PAGE = ("\\usepackage[paperwidth=500cm,paperheight=500cm,margin=1cm]{geometry}\n"
        "\\pagestyle{empty}\n\\hyphenpenalty=10000\n"
        "\\newcommand\\tamrelmark[1]{ QQMARK#1QQ }\n\\newcommand\\tamrelend{ QQEND }\n")
# Commands that Tamrel writes out itself and must not be provided empty.
TYPESET_COMMANDS = {"url", "href", "path", "text", "end", "begin"}


def run(args, cwd, timeout=600):
    return subprocess.run(args, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)


def encoding_of(path):
    try:
        open(path, encoding="utf-8").read()
        return "utf8"
    except UnicodeDecodeError:
        return "cp1252"


def journal_macros():
    """The ADS journal macros as the astronomy classes print them, from the
    typesetter's table, so that both sides print the journal's name."""
    source = open(os.path.join(ROOT, "src", "typeset", "latex_text.cpp"), encoding="utf-8").read()
    pairs = re.findall(r'\{"(\w+)", "((?:[^"\\]|\\\\.)*)"\}', source)
    return {name: text.replace("\\\\", "\\") for name, text in pairs}


def preamble(style, library, defined_by_bbl):
    text = open(library, encoding="latin-1").read()
    words = set(re.findall(r"\\([A-Za-z]+)", text))
    macros = journal_macros()
    lines = [style.documentclass, "\\usepackage[%s]{inputenc}\n\\usepackage[T1]{fontenc}\n\\usepackage{lmodern}\n"
             # A journal's class prints a URL with the url package, as \\url{} in its
             # .bbl wants; Tamrel's references need no package.
             "\\usepackage{url}\n" % encoding_of(library),
             PAGE]
    for word in sorted(words - TYPESET_COMMANDS - defined_by_bbl):
        if word.startswith("end"):
            continue
        lines.append("\\providecommand{\\%s}{%s}\n" % (word, macros.get(word, "")))
    return "".join(lines)


def skip_bracket(text, i):
    """The index after the optional [label] that starts at i (braces nest)."""
    depth, j = 0, i
    while j < len(text):
        c = text[j]
        if c == "{":
            depth += 1
        elif c == "}":
            depth -= 1
        elif c == "]" and depth == 0:
            return j + 1
        j += 1
    return j


def mark_items(text):
    """Puts a numbered marker after each \\bibitem's key and an end marker
    before the next item; returns the text and the keys in order."""
    keys, out, pos = [], [], 0
    ends = re.compile(r"\\bibitem\b|\\end\{(?:mcite)?thebibliography\}")
    m = ends.search(text, pos)
    while m:
        out.append(text[pos:m.start()])
        if keys:
            out.append("\\tamrelend{}")
        if not m.group(0).startswith("\\bibitem"):
            out.append(text[m.start():])
            return "".join(out), keys
        j = m.end()
        while j < len(text) and text[j].isspace():
            j += 1
        if j < len(text) and text[j] == "[":
            j = skip_bracket(text, j + 1)
        while j < len(text) and text[j].isspace():
            j += 1
        close = text.index("}", j)
        keys.append(text[j + 1:close])
        out.append(text[m.start():close + 1] + "\\tamrelmark{%d}" % (len(keys) - 1))
        pos = close + 1
        m = ends.search(text, pos)
    out.append(text[pos:])
    return "".join(out), keys


def normalised(text):
    text = unicodedata.normalize("NFKC", text)
    text = re.sub("\\s*[\u2010\u2011\u2012\u2013\u2014\u2015\u2212-]+\\s*", "-", text)
    text = text.replace("\u2019", "'").replace("\u2018", "'").replace("\u201c", '"').replace("\u201d", '"')
    return " ".join(text.split())


def printed_items(pdf, keys):
    """The printed text of each reference, by key."""
    text = subprocess.run(["pdftotext", "-nopgbrk", "-enc", "UTF-8", pdf, "-"], stdout=subprocess.PIPE,
                          check=True).stdout.decode("utf-8", "replace")
    items = {}
    for m in re.finditer(r"QQMARK(\d+)QQ(.*?)QQEND", text, re.S):
        items.setdefault(keys[int(m.group(1))], normalised(m.group(2)))
    return items


def typeset(work, name, head, body):
    """Compiles a document; the path of its PDF and whether it compiled."""
    with open(os.path.join(work, name + ".tex"), "w", encoding="latin-1") as f:
        f.write(head + "\\begin{document}\n" + body + "\\end{document}\n")
    r = run(["pdflatex", "-interaction=nonstopmode", name], work)
    return os.path.join(work, name + ".pdf"), r.returncode == 0


def bibtex_side(style, library, work):
    """bibtex with the journal's style: (bbl text, keys in error)."""
    shutil.copy(library, os.path.join(work, "refs.bib"))
    doc = style.documentclass + "\\begin{document}\n\\nocite{*}\n\\bibliographystyle{%s}\n\\bibliography{refs}\n" \
        "\\end{document}\n" % style.bst
    with open(os.path.join(work, "journal.tex"), "w") as f:
        f.write(doc)
    run(["pdflatex", "-interaction=nonstopmode", "journal"], work)
    run(["bibtex", "journal"], work)
    bbl = open(os.path.join(work, "journal.bbl"), encoding="latin-1").read()
    blg = open(os.path.join(work, "journal.blg"), encoding="latin-1").read()
    return bbl, keys_in_error(blg)


def keys_in_error(blg):
    """Keys named by a message of the style that is no warning."""
    keys = set()
    for line in blg.splitlines():
        if line.startswith("Warning--") or line.startswith("The style file") or line.startswith("Database file"):
            continue
        for m in re.finditer(r"(?:in|for|entry) ([^\s,]+)$", line):
            keys.add(m.group(1))
    return keys


def tamrel_side(tamrel, style, library, work):
    doc = os.path.join(work, "cites.tex")
    with open(doc, "w") as f:
        f.write("\\nocite{*}\n")
    out = os.path.join(work, "tamrel")
    os.makedirs(out, exist_ok=True)
    subprocess.run([tamrel, "extract", doc, library, "--style", style.option, "--pages", style.pages, "-o", out],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    items = glob.glob(os.path.join(out, "*_extract_bibitems.tex"))
    return open(items[0], encoding="latin-1").read() if items else ""


def entry_types(library):
    text = open(library, encoding="latin-1").read()
    types = {}
    for m in re.finditer(r"@\s*(\w+)\s*[{(]\s*([^,\s]*)\s*,", text):
        types.setdefault(m.group(2).lower(), m.group(1).lower())
    return types


def compare_library(tamrel, style, library, work, tally, shown, show, listing):
    os.makedirs(work)
    bbl, errors = bibtex_side(style, library, work)
    defined = set(re.findall(r"\\(?:providecommand\*?|def|newcommand)\s*\{?\\([A-Za-z@]+)", bbl))
    head = preamble(style, library, defined)
    ours_text = tamrel_side(tamrel, style, library, work)
    theirs_marked, theirs_keys = mark_items(bbl)
    ours_marked, ours_keys = mark_items("\\begin{thebibliography}{99}\n%s\\end{thebibliography}\n" % ours_text)
    theirs_pdf, _ = typeset(work, "theirs", head, theirs_marked)
    ours_pdf, compiled = typeset(work, "ours", head, ours_marked)
    theirs = printed_items(theirs_pdf, theirs_keys) if os.path.exists(theirs_pdf) else {}
    ours = printed_items(ours_pdf, ours_keys) if os.path.exists(ours_pdf) else {}
    types = entry_types(library)
    for key, printed in theirs.items():
        kind = types.get(key.lower(), "?")
        if key in errors:
            tally["apart"][kind] += 1
            continue
        same = ours.get(key) == printed
        tally["total"][kind] += 1
        tally["same"][kind] += same
        if listing:
            print("  %s %s %s: %s" % (style.option, key, "same" if same else "DIFF", printed))
        if not same and shown[0] < show:
            shown[0] += 1
            print("  %s %s (%s)\n    journal: %s\n    tamrel:  %s" % (os.path.basename(library), key, kind, printed,
                                                                    ours.get(key)))
    return compiled and len(ours_keys) > 0


def libraries(args):
    if args.bib:
        return args.bib
    found = [TEST_LIBRARY]
    if not args.short:
        found += sorted(glob.glob(os.path.join(args.corpus, "**", "*.bib"), recursive=True))
    return found


def percent(same, total):
    return 100.0 * same / total if total else 100.0


def report(style, tally):
    total, same = sum(tally["total"].values()), sum(tally["same"].values())
    apart = sum(tally["apart"].values())
    print("%s: %d of %d references print as %s prints them (%.1f%%); %d apart (style errors)"
          % (style.option.upper(), same, total, style.bst, percent(same, total), apart))
    for kind in sorted(tally["total"]):
        print("    %-14s %5d/%-5d %5.1f%%" % (kind, tally["same"][kind], tally["total"][kind],
                                            percent(tally["same"][kind], tally["total"][kind])))
    return percent(same, total)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tamrel", default=os.path.join(ROOT, "build", "tamrel"))
    ap.add_argument("--styles", default=",".join(s.option for s in STYLES))
    ap.add_argument("--short", action="store_true")
    ap.add_argument("--bib", nargs="*")
    ap.add_argument("--corpus", default=DEFAULT_CORPUS)
    ap.add_argument("--show", type=int, default=0)
    ap.add_argument("--require", type=float, default=0.0)
    ap.add_argument("--keep", action="store_true", help="keep the work folder")
    ap.add_argument("--list", action="store_true", help="print what the journal's style prints for every entry")
    args = ap.parse_args()
    for tool in ("bibtex", "pdflatex", "pdftotext"):
        if shutil.which(tool) is None:
            print("SKIP: %s is not installed" % tool)
            return 0
    work = tempfile.mkdtemp(prefix="style-compare-")
    failed = False
    try:
        for style in STYLES:
            if style.option not in args.styles.split(","):
                continue
            if run(["kpsewhich", style.bst + ".bst"], work).returncode != 0:
                print("SKIP %s: %s.bst is not installed" % (style.option, style.bst))
                continue
            tally = {"total": collections.Counter(), "same": collections.Counter(), "apart": collections.Counter()}
            shown = [0]
            for n, library in enumerate(libraries(args)):
                folder = os.path.join(work, "%s-%d" % (style.option, n))
                if not compare_library(args.tamrel, style, library, folder, tally, shown, args.show, args.list):
                    print("FAIL %s: Tamrel's references of %s do not compile" % (style.option, library))
                    failed = True
            if report(style, tally) < args.require:
                failed = True
        return 1 if failed else 0
    finally:
        if args.keep:
            print("work folder: %s" % work)
        else:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
