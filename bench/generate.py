#!/usr/bin/env python3
"""Seeded generator of JabRef-style test data at library scale.

Writes into OUT:
  library.bib  N entries in JabRef's layout (upper-case types, one field per
               line, braced values), with exact doubles, probable doubles
               (another key, the same reference) and reused keys (the same
               key, another reference) mixed in;
  paper.tex    a LaTeX document citing K distinct keys of the library in
               random order, some of them several times, plus keys the
               library lacks;
  second.bib   M entries: copies of library entries, altered copies and new
               entries, for compare.

The same seed always gives the same files.
"""
import argparse
import os
import random

SURNAMES = ("Smith Jones Novak Garcia Muller Rossi Dubois Kowalski Tanaka Chen Wang Kim Ivanov "
            "Andersen Silva Costa Nguyen Ahmed Brown Fischer Weber Meyer Schneider Martin Bernard "
            "Lopez Gonzalez Petrov Sato Suzuki Yamamoto Li Zhang Liu Singh Kumar Patel Khan Ali "
            "O'Brien Murphy Kelly Walsh Byrne Ryan Larsen Nielsen Hansen Johansson Lindqvist").split()
GIVEN = ("A. B. C. D. E. F. G. H. J. K. L. M. N. P. R. S. T. V. W. "
         "Anna Peter Maria John Laura Michael Sofia David Elena Thomas").split()
WORDS = ("quantum spin lattice graphene electron transport phonon magnetic thermal optical "
         "dynamics coherent topological superconducting density functional ab initio molecular "
         "surface interface defect nanowire cluster excitation relaxation scattering spectroscopy "
         "ultrafast plasmonic ferroelectric correlated disordered insulator semiconductor catalytic "
         "adsorption diffusion kinetics ensemble simulation measurement theory model").split()
JOURNALS = ["Physical Review B", "Physical Review Letters", "Journal of Chemical Physics",
            "Nature", "Science", "Journal of Physics: Condensed Matter", "Nano Letters",
            "Journal of the American Chemical Society", "New Journal of Physics",
            "Applied Physics Letters", "Chemical Physics Letters", "Surface Science"]
PUBLISHERS = [("Springer", "Berlin"), ("Wiley", "Weinheim"), ("Cambridge University Press", "Cambridge"),
              ("Oxford University Press", "Oxford"), ("Elsevier", "Amsterdam"), ("AIP", "Melville")]
SCHOOLS = ["University of Vienna", "ETH Zurich", "University of Cambridge", "MIT", "TU Munich"]
TYPES = [("ARTICLE", 70), ("BOOK", 8), ("INPROCEEDINGS", 9), ("INCOLLECTION", 5),
         ("PHDTHESIS", 4), ("MISC", 4)]


def authors(rng):
    names = []
    for _ in range(rng.choice((1, 1, 2, 2, 3, 3, 4, 5, 7))):
        given = " ".join(rng.choice(GIVEN) for _ in range(rng.choice((1, 1, 2))))
        names.append("%s, %s" % (rng.choice(SURNAMES), given))
    return " and ".join(names)


def title(rng):
    words = [rng.choice(WORDS) for _ in range(rng.randint(4, 12))]
    words[0] = words[0].capitalize()
    if rng.random() < 0.2:
        words[rng.randrange(len(words))] = "{DNA}"
    return " ".join(words)


def make_entry(rng, key, kind):
    fields = [("author", authors(rng)), ("title", title(rng))]
    year = str(rng.randint(1950, 2026))
    if kind == "ARTICLE":
        first = rng.randint(1, 20000)
        fields += [("journal", rng.choice(JOURNALS)), ("year", year),
                   ("volume", str(rng.randint(1, 140))), ("pages", "%d--%d" % (first, first + rng.randint(1, 30)))]
        if rng.random() < 0.3:
            fields.append(("doi", "10.%d/%s.%d" % (rng.randint(1000, 9999), rng.choice(WORDS), first)))
    elif kind in ("BOOK", "INCOLLECTION", "INPROCEEDINGS"):
        publisher, address = rng.choice(PUBLISHERS)
        fields += [("publisher", publisher), ("address", address), ("year", year)]
        if kind != "BOOK":
            fields += [("booktitle", title(rng)), ("editor", authors(rng))]
        if kind == "INPROCEEDINGS":
            fields.append(("pages", "%d--%d" % (rng.randint(1, 400), rng.randint(401, 800))))
    elif kind == "PHDTHESIS":
        fields += [("school", rng.choice(SCHOOLS)), ("year", year)]
    else:
        fields += [("note", "Preprint %d" % rng.randint(1, 10 ** 6)), ("year", year)]
    fields += [("owner", "jabref"), ("timestamp", "20%02d.%02d.%02d" % (rng.randint(0, 26), rng.randint(1, 12), rng.randint(1, 28)))]
    return [kind, key, fields]


def render(entry, rng=None, quirks=0.0):
    """JabRef's layout; with quirks > 0, that share of entries is written the
    way hand-edited files often are, to exercise the strict line rules."""
    kind, key, fields = entry
    head = "@%s{%s," % (kind, key)
    lines = [head]
    for i, (name, value) in enumerate(fields):
        lines.append("  %s = {%s}%s" % (name, value, "," if i + 1 < len(fields) else ""))
    text = "\n".join(lines) + "\n}\n\n"
    if rng is None or rng.random() >= quirks:
        return text
    quirk = rng.randrange(8)
    if quirk == 0:  # the whole entry on one line
        return "@%s{%s, %s}\n\n" % (kind, key, ", ".join("%s = {%s}" % f for f in fields))
    if quirk == 1:  # closing brace at the end of the last field line
        return "\n".join(lines) + "}\n\n"
    if quirk == 2:  # lower-case type
        return text.replace("@" + kind, "@" + kind.lower(), 1)
    if quirk == 3:  # blank before the brace
        return text.replace("@%s{" % kind, "@%s {" % kind, 1)
    if quirk == 4:  # values in double quotes
        return "\n".join([head] + ['  %s = "%s",' % f for f in fields]) + "\n}\n\n"
    if quirk == 5:  # a booklet, which holds the @BOOK marker
        return text.replace("@" + kind, "@BOOKLET", 1)
    if quirk == 6:  # CR LF line ends
        return text.replace("\n", "\r\n")
    return text.replace("  title = {", "  title = {Ten year ", 1)  # a word of another field


def library(rng, n):
    kinds = [k for k, w in TYPES for _ in range(w)]
    entries = []
    for i in range(n):
        r = rng.random()
        if entries and r < 0.02:  # exact double
            entries.append(list(rng.choice(entries)))
        elif entries and r < 0.04:  # probable double: the same reference under another key
            kind, _, fields = rng.choice(entries)
            entries.append([kind, "Dup%d" % i, fields])
        elif entries and r < 0.05:  # reused key: another reference under the same key
            entries.append(make_entry(rng, rng.choice(entries)[1], "ARTICLE"))
        else:
            entries.append(make_entry(rng, "%s%d_%d" % (rng.choice(SURNAMES).replace("'", ""), rng.randint(1950, 2026), i), rng.choice(kinds)))
    return entries


def paper(rng, keys, k):
    cited = rng.sample(keys, min(k, len(keys)))
    missing = ["Missing%d" % i for i in range(max(1, k // 20))]
    pool = cited + missing
    rng.shuffle(pool)
    out = ["\\documentclass{article}", "\\begin{document}"]
    i = 0
    while i < len(pool):
        group = pool[i:i + rng.choice((1, 1, 2, 3))]
        i += len(group)
        if rng.random() < 0.1:
            group.append(rng.choice(pool[:i]))  # cited again
        out.append("%s %s \\cite{%s}." % (title(rng), title(rng).lower(), ",".join(group)))
    out.append("\\end{document}")
    return "\n".join(out) + "\n"


def second(rng, entries, m):
    out = []
    for i in range(m):
        r = rng.random()
        if r < 0.4:
            out.append(rng.choice(entries))
        elif r < 0.6:
            kind, key, fields = rng.choice(entries)
            fields = [(n, v + "1" if n == "year" else v) for n, v in fields]
            out.append([kind, key if rng.random() < 0.5 else "Other%d" % i, fields])
        else:
            out.append(make_entry(rng, "New%d" % i, rng.choice(["ARTICLE", "ARTICLE", "BOOK", "MISC"])))
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--entries", type=int, default=1000, help="library entries (N)")
    parser.add_argument("--cited", type=int, default=200, help="distinct cited keys (K)")
    parser.add_argument("--second", type=int, default=200, help="entries of the second file (M)")
    parser.add_argument("--quirks", type=float, default=0.0,
                        help="share of entries written with hand-edited quirks (0 to 1)")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    os.makedirs(args.out, exist_ok=True)
    entries = library(rng, args.entries)
    header = "% This file was created with JabRef 2.10.\n% Encoding: UTF-8\n\n"
    meta = "@comment{jabref-meta: databaseType:bibtex;}\n"
    with open(os.path.join(args.out, "library.bib"), "w", newline="\n") as f:
        f.write(header + "".join(render(e, rng, args.quirks) for e in entries) + meta)
    with open(os.path.join(args.out, "paper.tex"), "w", newline="\n") as f:
        f.write(paper(rng, sorted(set(e[1] for e in entries)), args.cited))
    with open(os.path.join(args.out, "second.bib"), "w", newline="\n") as f:
        f.write(header + "".join(render(e, rng, args.quirks) for e in second(rng, entries, args.second)))


if __name__ == "__main__":
    main()
