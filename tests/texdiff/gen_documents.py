"""Seeded generator of LaTeX document trees for the differential tests.

A tree is a main document and the files it pulls in (\\input with and
without braces or extension, \\include, \\subfile, \\import, \\subimport),
with citations in every form of LaTeX, natbib or biblatex, keys hidden in
comments and verbatim text, and the bibliography named by \\bibliography or
\\addbibresource.  The library refs.bib holds most of the keys cited, and
some that are not; keys starting with "fake" stand where TeX reads no
citation and must never be found.

generate(seed) returns a Tree: the files (path relative to the tree's
folder -> text), the main file's name and the library's keys.
"""

import random

MODES = ("latex", "natbib", "biblatex")

PLAIN_COMMANDS = ["cite"]
NATBIB_COMMANDS = ["cite", "citet", "citep", "citealt", "citealp", "citeauthor", "citeyear", "citeyearpar",
                   "citenum", "Citet", "Citep", "Citealt", "Citealp", "Citeauthor", "citefullauthor"]
NATBIB_STARRED = ["citet", "citep", "citealt", "citealp", "citeauthor", "Citet", "Citep"]
BIBLATEX_COMMANDS = ["cite", "Cite", "parencite", "Parencite", "footcite", "footcitetext", "textcite", "Textcite",
                     "smartcite", "Smartcite", "autocite", "Autocite", "supercite", "citeauthor", "Citeauthor",
                     "citetitle", "citeyear", "citedate", "citeurl", "fullcite", "footfullcite", "notecite",
                     "pnotecite", "fnotecite"]
BIBLATEX_STARRED = ["parencite", "Parencite", "autocite", "Autocite", "citeauthor", "Citeauthor", "citetitle",
                    "citeyear", "citedate"]
BIBLATEX_MULTI = ["cites", "Cites", "parencites", "Parencites", "footcites", "textcites", "Textcites",
                  "autocites", "Autocites", "smartcites", "supercites"]
BIBLATEX_VOLUME = ["volcite", "Volcite", "pvolcite", "Pvolcite", "fvolcite", "ftvolcite", "svolcite",
                   "tvolcite", "Tvolcite", "avolcite", "Avolcite"]

VERBATIM_ENVIRONMENTS = ["verbatim", "verbatim*", "comment", "lstlisting", "Verbatim"]
WORDS = "the results of water on graphene agree with earlier work see also a review of methods".split()


class Tree:
    def __init__(self, seed, mode):
        self.seed = seed
        self.mode = mode
        self.files = {}
        self.main = "main.tex"
        self.library_keys = []
        self.uses = set()  # packages the body needs


class Context:
    """Where a file stands: the folder its \\input looks in first (the
    \\import folder, "" for the main one), and what it may pull in."""

    def __init__(self, folder, depth, is_main):
        self.folder = folder
        self.depth = depth
        self.is_main = is_main


def join(folder, name):
    return name if not folder else folder.rstrip("/") + "/" + name


class Generator:
    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.tree = Tree(seed, self.rng.choice(MODES))
        self.keys = self.make_keys()
        self.fake = 0
        self.names = 0
        self.ended = False  # an \end{document} in a pulled-in file ends the reading

    def make_keys(self):
        rng = self.rng
        stems = ["Smith", "doe", "Lee", "Okafor", "van-Dam", "Nguyen", "zhang", "Muller", "Brown", "ab"]
        endings = ["", "a", "b", ":x", "-2", ".v2", "/3", "+"]
        keys = []
        folded = set()
        while len(keys) < rng.randint(4, 14):
            key = rng.choice(stems) + str(rng.randint(1950, 2030)) + rng.choice(endings)
            if key.lower() not in folded:  # bibtex's keys ignore letter case
                folded.add(key.lower())
                keys.append(key)
        return keys

    def fake_key(self):
        self.fake += 1
        return "fake%d" % self.fake

    def new_name(self, stem):
        self.names += 1
        return "%s%d" % (stem, self.names)

    def words(self):
        return " ".join(self.rng.choice(WORDS) for _ in range(self.rng.randint(1, 6)))

    def key_list(self):
        rng = self.rng
        chosen = [rng.choice(self.keys) for _ in range(rng.choice([1, 1, 1, 2, 3]))]
        separators = [rng.choice([",", ", ", ",\n  "]) for _ in chosen]
        return "".join(key + (separators[i] if i + 1 < len(chosen) else "") for i, key in enumerate(chosen))

    def notes(self, most):
        # LaTeX's own \cite and natbib's strip the braces of a note and read
        # "[{a]b}]{k}" as the note "a" and the key "b"; biblatex keeps it whole.
        braced = ["{a]b}"] if self.tree.mode == "biblatex" else []
        return "".join("[%s]" % self.rng.choice(["see", "p.~3", "", "chap. 2", "{see \\emph{x}}"] + braced)
                       for _ in range(self.rng.randint(0, most)))

    def citation(self):
        rng = self.rng
        mode = self.tree.mode
        space = rng.choice(["", "", " ", "\n", "%\n  "])
        if rng.random() < 0.08:
            return "\\nocite{%s}" % ("*" if rng.random() < 0.3 else self.key_list())
        if rng.random() < 0.05:  # the document's own citing command, its name holding "cite"
            return "\\mycite{%s}" % self.key_list()
        if mode == "latex":
            return "\\cite%s%s{%s}" % (self.notes(1), space, self.key_list())
        if mode == "natbib":
            if rng.random() < 0.3:
                return "\\%s*%s{%s}" % (rng.choice(NATBIB_STARRED), self.notes(2), self.key_list())
            command = rng.choice(NATBIB_COMMANDS)
            notes = "" if command == "citenum" else self.notes(2)  # \citenum takes no note
            return "\\%s%s%s{%s}" % (command, notes, space, self.key_list())
        roll = rng.random()
        if roll < 0.15:
            groups = "".join(self.notes(2) + "{%s}" % self.key_list() for _ in range(rng.randint(1, 3)))
            globals_ = "".join("(%s)" % rng.choice(["see", "", "p. 4"]) for _ in range(rng.randint(0, 2)))
            # Words after it: a multi-cite takes every {..} group that follows as keys.
            return "\\%s%s%s %s" % (rng.choice(BIBLATEX_MULTI), globals_, groups, self.words())
        if roll < 0.25:
            # \volcite[prenote]{volume}[pages]{key}: one key after the volume
            return "\\%s%s{%d}%s{%s} %s" % (rng.choice(BIBLATEX_VOLUME), self.notes(1), rng.randint(1, 9),
                                            self.notes(1), rng.choice(self.keys), self.words())
        if roll < 0.35:
            return "\\%s*%s{%s}" % (rng.choice(BIBLATEX_STARRED), self.notes(2), self.key_list())
        return "\\%s%s%s{%s}" % (rng.choice(BIBLATEX_COMMANDS), self.notes(2), space, self.key_list())

    def hidden_citation(self):
        """A citation TeX never reads: in a comment or verbatim text."""
        rng = self.rng
        fake = "\\cite{%s}" % self.fake_key()
        kind = rng.randrange(5)
        if kind == 0:
            return "%% %s\n" % fake
        if kind == 1:
            return "%s %% %s\n" % (self.words(), fake)
        if kind == 2:
            return "\\verb%s|%s|" % (rng.choice(["", "*"]), fake) if rng.random() < 0.5 else "\\verb+%s+" % fake
        if kind == 3:
            return self.false_branch(fake)
        environment = rng.choice(VERBATIM_ENVIRONMENTS)
        self.tree.uses.add(environment)
        return "\n\\begin{%s}\n%s %s\n\\end{%s}\n" % (environment, self.words(), fake, environment)

    def false_branch(self, fake):
        """Text hidden by \\iffalse, maybe with conditionals inside and an
        \\else branch that TeX reads."""
        rng = self.rng
        inner = fake
        if rng.random() < 0.4:
            inner = "\\ifx\\a\\b %s\\else \\cite{%s}\\fi %s" % (fake, self.fake_key(), fake)
        other = "\\else %s" % self.citation() if rng.random() < 0.4 else ""
        return "\\iffalse %s%s\\fi\n" % (inner, other)

    def escaped_percent(self):
        return "50\\%% of %s" % self.citation()

    def body(self, context, length):
        parts = []
        for _ in range(length):
            roll = self.rng.random()
            if roll < 0.38:
                parts.append(self.citation())
            elif roll < 0.45:
                parts.append(self.rng.choice(["\\footnote{%s}", "\\textbf{%s}", "{\\small %s}"]) % self.citation())
            elif roll < 0.6:
                parts.append(self.hidden_citation())
            elif roll < 0.65:
                parts.append(self.escaped_percent())
            elif roll < 0.8 and context.depth < 3:
                parts.append(self.pull_in(context))
            else:
                parts.append(self.words())
        return "\n".join(parts) + "\n"

    def place(self, context, name, bare):
        """Where a file \\input from context is put: the import folder
        (searched first), the main folder, or sometimes both, with other
        content, so that the search order shows.  TeX's own bare \\input
        looks in the main folder alone."""
        rng = self.rng
        if not context.folder:
            return [name]
        if bare:
            return [name] if rng.random() < 0.7 else [name, join(context.folder, name)]
        roll = rng.random()
        if roll < 0.5:
            return [join(context.folder, name)]
        if roll < 0.8:
            return [name]
        return [join(context.folder, name), name]

    def write_child(self, paths, context, make_text):
        for path in paths:
            if path not in self.tree.files:
                self.tree.files[path] = make_text(context)

    def pull_in(self, context):
        rng = self.rng
        kinds = ["input", "input", "subfile", "import", "subimport"]
        if context.is_main:
            kinds.append("include")
        kind = rng.choice(kinds)
        child = Context(context.folder, context.depth + 1, False)
        if kind == "input":
            name = self.new_name("sec")
            form = rng.randrange(4)
            if form == 0:
                command = "\\input{%s}" % name
            elif form == 1:
                command = "\\input{%s.tex}" % name
            elif form == 2:
                command = "\\input %s.tex " % name
            else:
                command = "\\input %s\n" % name
            self.write_child(self.place(context, name + ".tex", form >= 2), child, self.input_text)
            return command
        if kind == "include":
            name = self.new_name("chap")
            folder = rng.choice(["", "chapters/"])
            if rng.random() < 0.1:  # missing: LaTeX warns and goes on (its .aux needs the folder)
                return "\\include{%s}" % name
            self.write_child([folder + name + ".tex"], child, self.input_text)
            return "\\include{%s%s}" % (folder, name)
        folder = rng.choice(["", "parts/", "parts/deep/", "other/"])
        name = self.new_name("part")
        if kind == "subfile":
            self.tree.uses.add("subfiles")
            base = join(context.folder, folder)
            sub = Context(base.rstrip("/"), context.depth + 1, False)
            self.write_child([join(base, name + ".tex")], sub, self.subfile_text)
            return "\\subfile{%s%s}" % (folder, name + rng.choice(["", ".tex"]))
        self.tree.uses.add("import")
        folder = folder or "imp/"
        base = folder if kind == "import" else join(context.folder, folder)
        sub = Context(base.rstrip("/"), context.depth + 1, False)
        self.write_child([join(base, name + ".tex")], sub, self.input_text)
        return "\\%s{%s}{%s}" % (kind, folder, name)

    def input_text(self, context):
        text = self.body(context, self.rng.randint(1, 6))
        roll = self.rng.random()
        if roll < 0.08:
            text += "\\cite{%s}\\endinput\\cite{%s}\n\\cite{%s}\n" % (
                self.rng.choice(self.keys), self.rng.choice(self.keys), self.fake_key())
        elif roll < 0.11 and not self.ended:
            self.ended = True
            text += "\\cite{%s}\\end{document}\\cite{%s}\n" % (self.rng.choice(self.keys), self.fake_key())
        return text

    def subfile_text(self, context):
        rng = self.rng
        preamble = "\\documentclass[%s]{subfiles}\n" % rng.choice(["main", "../main.tex"])
        preamble += "% preamble of its own\n\\newcommand{\\unused}{x}\n"
        if rng.random() < 0.5:
            preamble += "\\nocite{%s}\n\\title{\\cite{%s}}\n" % (self.fake_key(), self.fake_key())
        body = self.body(context, rng.randint(1, 5))
        after = "\\cite{%s}\n" % self.fake_key() if rng.random() < 0.7 else ""
        return preamble + "\\begin{document}\n" + body + "\\end{document}\n" + after

    def preamble(self):
        mode = self.tree.mode
        lines = ["\\documentclass{article}", "\\newcommand{\\mycite}[1]{\\cite{#1}}"]
        if mode == "natbib":
            lines.append("\\usepackage{natbib}")
        if mode == "biblatex":
            lines.append("\\usepackage[backend=bibtex,sorting=none]{biblatex}")
        return lines

    def packages(self):
        uses = self.tree.uses
        lines = []
        if "subfiles" in uses:
            lines.append("\\usepackage{subfiles}")
        if "import" in uses:
            lines.append("\\usepackage{import}")
        if "comment" in uses:
            lines.append("\\usepackage{verbatim}")
        if "lstlisting" in uses:
            lines.append("\\usepackage{listings}")
        if "Verbatim" in uses:
            lines.append("\\usepackage{fancyvrb}")
        return lines

    def bibliography(self):
        rng = self.rng
        names = ["refs"] + (["extra"] if rng.random() < 0.3 else [])
        written = [name + (".bib" if rng.random() < 0.3 else "") for name in names]
        if self.tree.mode == "biblatex":
            return "".join("\\addbibresource%s{%s}\n" % (rng.choice(["", "[location=local]"]), name)
                           for name in written), ""
        return "", "\\bibliographystyle{unsrt}\n\\bibliography{%s}\n" % rng.choice([",", ", "]).join(written)

    def library(self):
        rng = self.rng
        held = [key for key in self.keys if rng.random() < 0.8]
        extra = ["Uncited%d" % i for i in range(rng.randint(0, 3))]
        entries = held + extra
        rng.shuffle(entries)
        self.tree.library_keys = entries
        self.tree.files["refs.bib"] = "".join("@misc{%s, title = {T %d}}\n" % (key, i) for i, key in enumerate(entries))
        self.tree.files["extra.bib"] = "@string{jx = {J. X.}}\n"

    def generate(self):
        main = Context("", 0, True)
        body = self.body(main, self.rng.randint(3, 12))
        resources, bibliography = self.bibliography()
        if bibliography and self.rng.random() < 0.3:
            self.tree.files["back.tex"] = bibliography
            bibliography = "\\input{back}\n"
        text = "\n".join(self.preamble() + self.packages()) + "\n" + resources
        text += "\\begin{document}\n" + body + bibliography
        if self.tree.mode == "biblatex":
            text += "\\printbibliography\n"
        text += "\\end{document}\n\\cite{%s}\n" % self.fake_key()
        self.tree.files["main.tex"] = text
        self.library()
        return self.tree


def generate(seed):
    return Generator(seed).generate()


if __name__ == "__main__":
    import sys
    tree = generate(int(sys.argv[1]) if len(sys.argv) > 1 else 1)
    for path, text in sorted(tree.files.items()):
        print("==== %s (%s)" % (path, tree.mode))
        print(text)
