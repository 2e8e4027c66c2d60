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

--layout chooses how the files are written:
  jabref   (default) JabRef's layout, with --quirks as hand-edited exceptions;
  classic  strictly the layout the classic line rules read right, and nothing
           they read wrong: only ARTICLE, BOOK, INPROCEEDINGS, INCOLLECTION and
           PHDTHESIS in upper case, one field per line, braced values, the
           closing brace alone on its line, booktitle before title, every
           value a matching rule looks at present, \cite{a,b} without blanks;
           doubles, reused keys and the second file are made so that the
           line rules and a BibTeX parser must reach the same verdicts;
  modern   what JabRef 5, Zotero and BibDesk write and people type: mixed-case
           types (Misc and TechReport too), quoted values, bare numbers,
           @string and month macros, several fields on a line, one-line
           entries, the closing brace on the last field line, natbib
           citations with blanks, optional arguments and line breaks.

The same seed and layout always give the same files.
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


def second(rng, entries, m, make=make_entry, other_year=lambda year: year + "1"):
    """The second file of compare: copies of library entries, copies in
    another year (some under another key), and new entries made by make."""
    out = []
    for i in range(m):
        r = rng.random()
        if r < 0.4:
            out.append(rng.choice(entries))
        elif r < 0.6:
            kind, key, fields = rng.choice(entries)
            fields = [(n, other_year(v) if n == "year" else v) for n, v in fields]
            out.append([kind, key if rng.random() < 0.5 else "Other%d" % i, fields])
        else:
            out.append(make(rng, "New%d" % i, rng.choice(["ARTICLE", "ARTICLE", "BOOK", "MISC"])))
    return out


# ---------------------------------------------------------------------------
# Classic layout: only what the line rules read right.

CLASSIC_TYPES = [("ARTICLE", 70), ("BOOK", 8), ("INPROCEEDINGS", 9), ("INCOLLECTION", 5), ("PHDTHESIS", 4)]
BOOK_GROUP = ("BOOK", "INCOLLECTION", "INPROCEEDINGS", "PHDTHESIS")


def classic_entry(rng, key, kind):
    """make_entry without braces inside values (the line rules end a value
    at its first closing brace) and with booktitle moved before title (a
    line holding "booktitle" also holds the word "title", and the later
    line wins)."""
    kind, key, fields = make_entry(rng, key, kind)
    fields = [(n, v.replace("{DNA}", "DNA")) for n, v in fields]
    booktitle = [f for f in fields if f[0] == "booktitle"]
    rest = [f for f in fields if f[0] != "booktitle"]
    return [kind, key, rest[:1] + booktitle + rest[1:]]


def classic_library(rng, n):
    """Entries as library() makes them, within what both readers judge alike:
    a reused key takes the key of a first entry (one not under a reused key
    itself), and a probable double repeats all fields.  Returns the entries
    and the first entries (the ones the second file may copy)."""
    kinds = [k for k, w in CLASSIC_TYPES for _ in range(w)]
    entries, originals = [], []
    for i in range(n):
        r = rng.random()
        if originals and r < 0.02:  # exact double
            entries.append(list(rng.choice(entries)))
        elif originals and r < 0.04:  # probable double: all fields, another key
            kind, _, fields = rng.choice(entries)
            entries.append([kind, "Dup%d" % i, fields])
        elif originals and r < 0.05:  # reused key: another article under the same key
            entries.append(classic_entry(rng, rng.choice(originals)[1], "ARTICLE"))
        else:
            entry = classic_entry(rng, "%s%d_%d" % (rng.choice(SURNAMES).replace("'", ""), rng.randint(1950, 2026), i),
                                  rng.choice(kinds))
            entries.append(entry)
            originals.append(entry)
    return entries, originals


def classic_second(rng, copyable, m):
    """Copies, copies under another key, altered copies and new entries.
    Where one reference stands under several keys, the line rules take the
    first entry that matches and the reader the one with the same key first,
    so: copies are made of first entries only (never of a probable double),
    and a copy under another key follows a copy under the entry's own key
    (the second file is the master when compared the other way round).  An
    altered copy differs in a value its type's rule compares (year and DOI
    of an article, title and year of the others); once one stands under its
    entry's key, that entry is not copied again."""
    out, copied, altered_count, altered_keys = [], [], {}, set()
    kinds = [k for k, w in CLASSIC_TYPES for _ in range(w)]
    for i in range(m):
        r = rng.random()
        if r < 0.35:
            entry = rng.choice(copyable)
            if entry[1] in altered_keys:
                # Two copies of one work after an altered copy under its key:
                # the line rules rename the second copy, the reader leaves it
                # out as the first's double (which then holds a new key).
                out.append(classic_entry(rng, "New%d" % i, rng.choice(kinds)))
                continue
            out.append(entry)
            copied.append(out[-1])
        elif r < 0.45 and copied:  # the same reference under another key, after its own copy
            kind, _, fields = rng.choice(copied)
            out.append([kind, "Other%d" % i, fields])
        elif r < 0.6:
            kind, key, fields = rng.choice(copyable)
            # Each altered copy of an entry differs from the others too.
            times = altered_count[key] = altered_count.get(key, 0) + 1
            altered = []
            for name, value in fields:
                if name == "year":
                    value = str(int(value) + times)
                elif name == "doi":
                    value += "%d" % times
                elif name == "title" and kind != "ARTICLE":
                    value = "Revisited %d %s" % (times, value)
                altered.append((name, value))
            own_key = rng.random() < 0.5
            if own_key:
                altered_keys.add(key)
            out.append([kind, key if own_key else "Other%d" % i, altered])
        else:
            out.append(classic_entry(rng, "New%d" % i, rng.choice(kinds)))
    return out


# ---------------------------------------------------------------------------
# Modern layout: what today's reference managers and hand editing produce.

MODERN_TYPES = TYPES + [("TECHREPORT", 2)]
TYPE_SPELLINGS = {"ARTICLE": ("Article", "article", "ARTICLE"), "BOOK": ("Book", "book"),
                  "INPROCEEDINGS": ("InProceedings", "inproceedings", "Inproceedings"),
                  "INCOLLECTION": ("InCollection", "incollection"), "PHDTHESIS": ("PhdThesis", "phdthesis"),
                  "MISC": ("Misc", "misc", "MISC"), "TECHREPORT": ("TechReport", "techreport")}
JOURNAL_MACROS = {"Physical Review B": "prb", "Physical Review Letters": "prl",
                  "Journal of Chemical Physics": "jcp", "Nano Letters": "nl",
                  "Journal of the American Chemical Society": "jacs"}
MONTHS = "jan feb mar apr may jun jul aug sep oct nov dec".split()


def modern_entry(rng, key, kind):
    if kind == "TECHREPORT":
        kind2, key, fields = make_entry(rng, key, "MISC")
        fields = [(n, v) if n != "note" else ("institution", rng.choice(SCHOOLS)) for n, v in fields]
        fields.insert(-2, ("number", "TR-%d" % rng.randint(1, 999)))
        return ["TECHREPORT", key, fields]
    kind, key, fields = make_entry(rng, key, kind)
    if rng.random() < 0.5:
        fields.insert(-2, ("month", rng.choice(MONTHS)))
    return [kind, key, fields]


def modern_value(rng, name, value, style):
    """A value as the chosen writer writes it: braced, quoted, bare number or macro."""
    if name == "month":
        return value if style != "zotero" else "{%s}" % value.capitalize()
    if name == "journal" and value in JOURNAL_MACROS and style in ("bibdesk", "hand"):
        return JOURNAL_MACROS[value]
    if value.isdigit() and style in ("bibdesk", "hand", "oneline") and rng.random() < 0.7:
        return value
    if style in ("hand", "oneline") and rng.random() < 0.4:
        return '"%s"' % value
    if style == "zotero" and name == "title":
        return "{{%s}}" % value
    return "{%s}" % value


def render_modern(entry, rng):
    kind, key, fields = entry
    style = rng.choice(("jabref5", "jabref5", "zotero", "bibdesk", "oneline", "hand"))
    head = "@%s{%s," % (rng.choice(TYPE_SPELLINGS[kind]), key)
    if style == "jabref5":  # aligned names, sorted fields, closing brace alone
        width = max(len(n) for n, _ in fields)
        body = [("  %-*s = %s" % (width, n, modern_value(rng, n, v, style))) for n, v in sorted(fields)]
        return head + "\n" + ",\n".join(body) + ",\n}\n\n"
    if style == "zotero":  # tab indent, closing brace alone, no trailing comma
        body = ["\t%s = %s" % (n, modern_value(rng, n, v, style)) for n, v in fields]
        return head + "\n" + ",\n".join(body) + "\n}\n\n"
    if style == "bibdesk":  # capitalised names, closing brace on the last field line
        body = ["\t%s = %s" % (n.capitalize(), modern_value(rng, n, v, style)) for n, v in fields]
        return head + "\n" + ",\n".join(body) + "}\n\n"
    if style == "oneline":
        return head + " " + ", ".join("%s = %s" % (n, modern_value(rng, n, v, style)) for n, v in fields) + "}\n\n"
    # by hand: several fields on a line, odd spacing and name case
    lines, i = [], 0
    while i < len(fields):
        group = fields[i:i + rng.choice((1, 2, 3))]
        i += len(group)
        lines.append("    " + ", ".join("%s=%s" % (rng.choice((n, n.upper(), n.capitalize())),
                                                   modern_value(rng, n, v, style)) for n, v in group))
    return "@%s { %s,\n%s\n}\n\n" % (head[1:head.index("{")], key, ",\n".join(lines))


def modern_library(rng, n):
    kinds = [k for k, w in MODERN_TYPES for _ in range(w)]
    entries = []
    for i in range(n):
        r = rng.random()
        if entries and r < 0.02:
            entries.append(list(rng.choice(entries)))
        elif entries and r < 0.04:
            kind, _, fields = rng.choice(entries)
            entries.append([kind, "Dup%d" % i, fields])
        elif entries and r < 0.05:
            entries.append(modern_entry(rng, rng.choice(entries)[1], "ARTICLE"))
        else:
            entries.append(modern_entry(rng, "%s%d_%d" % (rng.choice(SURNAMES).replace("'", ""), rng.randint(1950, 2026), i),
                                        rng.choice(kinds)))
    return entries


def modern_paper(rng, keys, k):
    """natbib and biblatex citations, with blanks after commas, optional
    arguments and key lists broken over lines."""
    cited = rng.sample(keys, min(k, len(keys)))
    missing = ["Missing%d" % i for i in range(max(1, k // 20))]
    pool = cited + missing
    rng.shuffle(pool)
    out = ["\\documentclass{article}", "\\usepackage{natbib}", "\\begin{document}"]
    i = 0
    while i < len(pool):
        group = pool[i:i + rng.choice((1, 1, 2, 3, 4))]
        i += len(group)
        if rng.random() < 0.1:
            group.append(rng.choice(pool[:i]))
        command = rng.choice(("\\cite", "\\citep", "\\citet", "\\citep[see][p.~7]", "\\citealp", "\\citet*", "\\nocite"))
        keys_text = rng.choice((", ", ",", ",\n  ")).join(group)
        out.append("%s %s %s{%s}." % (title(rng), title(rng).lower(), command, keys_text))
        if rng.random() < 0.05:
            out.append("%% \\cite{%s} commented out" % rng.choice(pool))
    out.append("\\bibliographystyle{apsrev4-2}")
    out.append("\\bibliography{library}")
    out.append("\\end{document}")
    return "\n".join(out) + "\n"


def modern_header():
    return ("% Encoding: UTF-8\n\n" +
            "".join("@String{%s = {%s}}\n" % (m, j) for j, m in sorted(JOURNAL_MACROS.items(), key=lambda x: x[1])) +
            "\n")


def write_layout(args, rng):
    def write(name, text):
        with open(os.path.join(args.out, name), "w", newline="\n") as f:
            f.write(text)
    if args.layout == "classic":
        entries, originals = classic_library(rng, args.entries)
        # Entries back to back: the line rules copy the text between entries
        # with the entry before it in extract and drop it in clean.
        write("library.bib", "".join(render(e)[:-1] for e in entries) + "@comment{jabref-meta: databaseType:bibtex;}\n")
        write("paper.tex", paper(rng, sorted(set(e[1] for e in entries)), args.cited))
        write("second.bib", "".join(render(e)[:-1] for e in classic_second(rng, originals, args.second)))
    else:
        entries = modern_library(rng, args.entries)
        write("library.bib", modern_header() + "".join(render_modern(e, rng) for e in entries) +
              "@Comment{jabref-meta: databaseType:bibtex;}\n")
        write("paper.tex", modern_paper(rng, sorted(set(e[1] for e in entries)), args.cited))
        write("second.bib", modern_header() + "".join(render_modern(e, rng) for e in second(rng, entries, args.second, modern_entry, lambda year: str(int(year) + 1))))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--entries", type=int, default=1000, help="library entries (N)")
    parser.add_argument("--cited", type=int, default=200, help="distinct cited keys (K)")
    parser.add_argument("--second", type=int, default=200, help="entries of the second file (M)")
    parser.add_argument("--quirks", type=float, default=0.0,
                        help="share of entries written with hand-edited quirks (0 to 1)")
    parser.add_argument("--layout", choices=("jabref", "classic", "modern"), default="jabref")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    os.makedirs(args.out, exist_ok=True)
    if args.layout != "jabref":
        if args.quirks:
            parser.error("--quirks belongs to the jabref layout")
        return write_layout(args, rng)
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
