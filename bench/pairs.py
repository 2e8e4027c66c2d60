#!/usr/bin/env python3
"""Seeded generator of variant pairs and lookalike pairs, and the precision
and recall of compare and clean doubles on them.

A variant is one work as another export or another person writes it: 2 to 4
of these edits (seeded): the author list in the other BibTeX name form
(Last, First <-> First Last, von parts kept), given names cut to initials or
tied with ~, an accent as a TeX command or in UTF-8; the journal abbreviated
word by word (Physical Review B -> Phys. Rev. B, with or without dots); the
title in another letter case, with braces added or taken off, or with two
neighbouring letters swapped; the page range with another dash or the first
page alone; the DOI as a https://doi.org/ address; biblatex's journaltitle
and date in place of journal and year.

A lookalike is another work that reads almost the same: the next volume of
the journal with other pages, the same book three years later or in another
edition, the second volume of a book, the erratum of an article, a
conference paper's journal version, another section of the journal.

Writes OUT/master.bib (the works), OUT/second.bib (a variant of about half
of them, a lookalike of others, and new works) and OUT/truth.txt, runs
  tamrel compare master.bib second.bib
  tamrel clean both.bib     (the master followed by the second file)
and prints, for compare, the variants found (recall) and the share of
"same" verdicts on variants and lookalikes that name the right work
(precision); for clean, the variants left out for their work (recall) and
the share of entries left out that were variants (precision).

With --layout classic the entries are written in JabRef's classic layout
(upper-case types, one braced field per line) and of the types the classic
line rules know; --extra passes options to tamrel (--classic, say).

Usage: pairs.py --tamrel build/tamrel [--works 2000] [--seed 1] [--out DIR]
                [--layout modern|classic] [--extra OPTION]
"""
import argparse
import os
import random
import re
import subprocess
import sys
import tempfile

SURNAMES = [("Braun", ""), ("M{\\\"u}ller", "M\u00fcller"), ("Beethoven", ""), ("Nielsen", ""),
            ("Garc{\\'i}a", "Garc\u00eda"), ("Chen", ""), ("Kowalski", ""), ("Dubois", ""),
            ("Tanaka", ""), ("Smith", ""), ("Ivanov", ""), ("Rossi", ""), ("O'Brien", "")]
VONS = ["", "", "", "", "van", "de", "von"]
GIVEN = ["Michael", "Anna", "Ludwig", "Karin", "Jos\\'e", "Wei", "Piotr", "Claire", "Hiro", "John"]
JOURNALS = [("Physical Review B", "Phys. Rev. B"), ("Physical Review Letters", "Phys. Rev. Lett."),
            ("The Journal of Chemical Physics", "J. Chem. Phys."),
            ("Journal of Physics: Condensed Matter", "J. Phys.: Condens. Matter"),
            ("Proceedings of the National Academy of Sciences", "Proc. Natl. Acad. Sci."),
            ("Journal of the American Chemical Society", "J. Am. Chem. Soc."),
            ("Applied Physics Letters", "Appl. Phys. Lett."), ("Nature Physics", "Nat. Phys.")]
WORDS = ("spin magnetic transport quantum thermal optical lattice interface disordered electron "
         "phonon relaxation dynamics superconducting topological helium nanodroplets cluster "
         "spectroscopy diffusion kinetics ferroelectric plasmonic catalytic molecular surface").split()
SMALL = ["of", "in", "and", "for", "on"]


def person(rng):
    surname, utf8 = rng.choice(SURNAMES)
    return {"von": rng.choice(VONS), "last": surname, "utf8": utf8 or surname,
            "given": [rng.choice(GIVEN)] + ([rng.choice(GIVEN)] if rng.random() < 0.3 else [])}


def name_text(p, form, initials=False, tie=False, utf8=False):
    given = [g[0] + "." if initials else g for g in p["given"]]
    last = p["utf8"] if utf8 else p["last"]
    von = (p["von"] + " ") if p["von"] else ""
    if form == "comma":
        return von + last + ", " + " ".join(given)
    sep = "~" if tie else " "
    return sep.join(given) + sep + von + last


def title(rng):
    words = [rng.choice(WORDS) for _ in range(rng.randint(4, 9))]
    words.insert(rng.randint(1, len(words) - 1), rng.choice(SMALL))
    return (" ".join(words)).capitalize()


def make_work(rng, i, layout="modern"):
    kinds = ["article"] * 6 + ["book", "inproceedings", "phdthesis"] + (["misc"] if layout == "modern" else [])
    kind = rng.choice(kinds)
    work = {"type": kind, "key": "W%d" % i, "authors": [person(rng) for _ in range(rng.randint(1, 4))],
            "title": title(rng), "year": rng.randint(1960, 2024)}
    if kind == "article":
        work["journal"] = rng.choice(JOURNALS)
        work["volume"] = rng.randint(1, 120)
        first = rng.randint(1, 9000)
        work["pages"] = (first, first + rng.randint(2, 20))
        if rng.random() < 0.4:
            work["doi"] = "10.%d/w.%d" % (1000 + rng.randint(0, 99), i)
    elif kind == "inproceedings":
        work["booktitle"] = "Proceedings of the %s workshop" % rng.choice(WORDS)
    elif kind == "phdthesis":
        work["school"] = "University of %s" % rng.choice(["Padua", "Leiden", "Kyoto", "Oslo"])
    elif kind == "book":
        work["publisher"] = rng.choice(["Springer", "Wiley", "Elsevier"])
    return work


def render(work, key, edits=()):
    """The work as a BibTeX entry; edits name the ways this export differs."""
    fields = []
    form = "first" if "names" in edits else "comma"
    initials, tie, utf8 = "initials" in edits, "tie" in edits, "utf8" in edits
    fields.append(("author", " and ".join(name_text(p, form, initials, tie, utf8) for p in work["authors"])))
    t = work["title"]
    if "case" in edits:
        t = t.title()
    if "braces" in edits:
        t = "{" + t + "}"
    if "typo" in edits:
        words = [w for w in t.split() if len(w.strip("{}")) >= 6]
        if words:
            w = words[0]
            k = 2
            t = t.replace(w, w[:k] + w[k + 1] + w[k] + w[k + 2:], 1)
    fields.append(("title", t))
    year_name = "date" if "biblatex" in edits else "year"
    if "journal" in work:
        full, short = work["journal"]
        journal = short if "abbrev" in edits else full
        if "nodots" in edits:
            journal = journal.replace(".", "")
        fields.append(("journaltitle" if "biblatex" in edits else "journal", journal))
        fields.append(("volume", str(work["volume"])))
        first, last = work["pages"]
        dash = "-" if "dash" in edits else "--"
        fields.append(("pages", str(first) if "firstpage" in edits else "%d%s%d" % (first, dash, last)))
    for name in ("booktitle", "school", "publisher", "edition", "note"):
        if name in work:
            fields.append((name, str(work[name])))
    if "volume_of_book" in work:
        fields.append(("volume", str(work["volume_of_book"])))
    fields.append((year_name, str(work["year"]) + ("-05-01" if "biblatex" in edits else "")))
    if "doi" in work:
        fields.append(("doi", ("https://doi.org/" if "doiurl" in edits else "") + work["doi"]))
    body = ",\n".join("  %s = {%s}" % (n, v) for n, v in fields)
    kind = work["type"].upper() if work.get("layout") == "classic" else work["type"]
    return "@%s{%s,\n%s\n}\n" % (kind, key, body)


EDITS = ["names", "initials", "tie", "utf8", "case", "braces", "typo", "abbrev", "nodots", "dash",
         "firstpage", "doiurl", "biblatex"]


def variant_edits(rng, work):
    possible = [e for e in EDITS if "journal" in work or e not in ("abbrev", "nodots", "dash", "firstpage",
                                                                    "biblatex")]
    if "doi" not in work and "doiurl" in possible:
        possible.remove("doiurl")
    return set(rng.sample(possible, rng.randint(2, 4)))


def lookalike(rng, work):
    """Another work that reads almost the same, or None when none fits."""
    other = dict(work)
    other.pop("doi", None)
    if work["type"] == "article":
        choice = rng.choice(["next", "erratum", "conference", "section"])
        if choice == "next":
            other["volume"] = work["volume"] + 1
            first = work["pages"][0] + rng.randint(7, 400)
            other["pages"] = (first, first + 5)
        elif choice == "erratum":
            other["title"] = "Erratum: " + work["title"]
            other["pages"] = (work["pages"][0] + 900, work["pages"][0] + 901)
        elif choice == "conference":
            other = {k: v for k, v in other.items() if k not in ("journal", "volume", "pages")}
            other["type"] = "inproceedings"
            other["booktitle"] = "Proceedings of the %s conference" % rng.choice(WORDS)
        else:
            full, short = work["journal"]
            if not full.endswith(" B"):
                return None
            other["journal"] = (full[:-1] + "A", short[:-1] + "A")
        return other
    if work["type"] in ("book", "inproceedings"):
        choice = rng.choice(["later", "edition", "volume"] if work["type"] == "book" else ["later"])
        if choice == "later":
            other["year"] = work["year"] + 3
        elif choice == "edition":
            other["edition"] = "2nd"
        else:
            other["volume_of_book"] = 2
        if choice != "later":
            work.setdefault("volume_of_book" if choice == "volume" else "edition",
                            1 if choice == "volume" else "1st")
        return other
    return None


def generate(rng, n, out, layout):
    works = [make_work(rng, i, layout) for i in range(n)]
    for work in works:
        work["layout"] = layout
    second, truth = [], []
    for i, work in enumerate(works):
        r = rng.random()
        if r < 0.5:
            key = "V%d" % i
            second.append(render(work, key, variant_edits(rng, work)))
            truth.append((key, "variant", work["key"]))
        elif r < 0.8:
            other = lookalike(rng, work)
            if other is not None:
                key = "L%d" % i
                second.append(render(other, key))
                truth.append((key, "lookalike", work["key"]))
    for i in range(n // 10):
        new = make_work(rng, n + i, layout)
        new["layout"] = layout
        key = "N%d" % i
        second.append(render(new, key))
        truth.append((key, "new", ""))
    master = "".join(render(w, w["key"]) for w in works)
    rng.shuffle(second)
    with open(os.path.join(out, "master.bib"), "w", encoding="utf-8") as f:
        f.write(master)
    with open(os.path.join(out, "second.bib"), "w", encoding="utf-8") as f:
        f.write("".join(second))
    with open(os.path.join(out, "both.bib"), "w", encoding="utf-8") as f:
        f.write(master + "".join(second))
    with open(os.path.join(out, "truth.txt"), "w") as f:
        f.writelines("%s %s %s\n" % t for t in truth)
    return truth


def share(a, b):
    return "%d/%d = %.1f%%" % (a, b, 100.0 * a / b) if b else "0/0"


def score_compare(out, truth):
    log = open(os.path.join(out, "master_compare.log"), encoding="utf-8", errors="replace").read()
    said = {}
    for m in re.finditer(r"^\S+\s+- (Exactly the same|Probably the same|Missing) : (.*)$", log, re.M):
        keys = [k.strip() for k in m.group(2).split(",")]
        said[keys[-1]] = keys[0] if m.group(1) != "Missing" else None
    found = right = claimed = 0
    variants = sum(1 for _, kind, _ in truth if kind == "variant")
    for key, kind, source in truth:
        named = said.get(key)
        if named is None:
            continue
        claimed += 1
        if kind == "variant" and named == source:
            found += 1
            right += 1
    return found, variants, right, claimed


def score_clean(out, truth):
    log = open(os.path.join(out, "both_clean_of_doubles.log"), encoding="utf-8", errors="replace").read()
    left = dict(re.findall(r"^Probably the same: (\S+) (\S+)$", log, re.M))
    left.update(re.findall(r"^Exactly the same : (\S+) and (\S+)$", log, re.M))
    sources = {key: source for key, kind, source in truth if kind == "variant"}
    right = sum(1 for key, stays in left.items() if sources.get(key) == stays)
    return right, len(sources), right, len(left)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tamrel", required=True)
    parser.add_argument("--works", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--out")
    parser.add_argument("--layout", choices=("modern", "classic"), default="modern",
                        help="classic: JabRef's classic layout (upper-case types of the classic groups)")
    parser.add_argument("--extra", action="append", default=[])
    parser.add_argument("--min", type=float, default=0.0, help="fail below this precision and recall (%%)")
    args = parser.parse_args()
    if args.out:
        os.makedirs(args.out, exist_ok=True)
        return measure(args, args.out)
    with tempfile.TemporaryDirectory(prefix="tamrel_pairs_") as out:
        return measure(args, out)


def measure(args, out):
    truth = generate(random.Random(args.seed), args.works, out, args.layout)
    tamrel = os.path.abspath(args.tamrel)
    for command in (["compare", "master.bib", "second.bib"], ["clean", "both.bib"]):
        subprocess.run([tamrel] + command + args.extra, cwd=out, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    lookalikes = sum(1 for _, kind, _ in truth if kind == "lookalike")
    worst = 100.0
    for name, (found, total, right, claimed) in (("compare", score_compare(out, truth)),
                                                 ("clean", score_clean(out, truth))):
        print("%s: recall %s, precision %s (%d variants, %d lookalikes)" %
              (name, share(found, total), share(right, claimed), total, lookalikes))
        worst = min(worst, 100.0 * found / max(total, 1), 100.0 * right / max(claimed, 1))
    return 0 if worst >= args.min else 1


if __name__ == "__main__":
    sys.exit(main())
