"""Random BibTeX libraries that exercise the grammar as bibtex reads it.

GenerateLibrary(seed) gives the bytes of one library; the same seed always
gives the same bytes.  What it writes: {} and () entries, braced, quoted,
bare-number and macro values joined with "#", @string macros (names in any
letter case, defined from other macros), the month macros, @preamble with
macros, crossref chains (parents before or after, in any letter case, some
missing), keys with every character bibtex accepts in a key, keys that
differ only in letter case, @comment in its forms, text between entries,
the syntax errors bibtex reads past (a Zotero-like "%isbn = {...}," line,
a missing comma, junk after a number, a missing "=", an unclosed entry),
UTF-8 and Latin-1 bytes, LF or CR LF line ends, and a byte-order mark.
"""

import random

# The fields and types that fields_dump.bst declares, and some it does not.
DECLARED_FIELDS = ["author", "title", "journal", "year", "volume", "pages",
                   "month", "note", "publisher", "address", "booktitle",
                   "editor", "doi", "url", "isbn", "x-tag", "zz.extra",
                   "series", "number", "school", "institution", "type"]
OTHER_FIELDS = ["abstract", "keywords", "file", "language", "urldate",
                "field:one", "f+g"]
TYPES = ["article", "book", "inbook", "incollection", "inproceedings",
         "misc", "phdthesis", "proceedings", "techreport", "my-type"]
OTHER_TYPES = ["online", "dataset", "software", "type.x", "t:y", "r\xe9port"]
MONTHS = ["jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep",
          "oct", "nov", "dec"]

# Words with the bytes a library holds: ASCII, UTF-8 letters, TeX accents,
# Latin-1 bytes (written as bytes, not as UTF-8).  An "@" in a value is
# never followed by a name and "{": in an entry with a repeated key bibtex
# would read a block there, which Tamrel does not (README, Limits).
WORDS = ["DNA", "quantum", "theory", "Sch\u00f6dinger", "na\u00efve",
         "\u6f22\u5b57", "{\\\"o}", "\\'e", "$x^2$", "50\\%", "a&b",
         "e-mail", "(x@y.org)", "semi;colon", "com,ma", "(paren)", "eq=al",
         "#hash", "~tie", "q\"uote", "Caf\u00e9"]
LATIN1_WORDS = [b"Caf\xe9", b"M\xfcller", b"\xa9 2001"]

# Characters bibtex takes in a key: anything but white space, the comma
# and the entry's closing delimiter.  "@" is left out of keys written at
# random: it starts a block where bibtex skips to after an error.
KEY_CHARS = ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
             "=:+/-_.;!?*'[]<>&$^~|\\\"#%(){")
IDENT_CHARS = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.:+/_"


class Writer:
    """Collects the library as bytes; text is UTF-8 unless given as bytes."""

    def __init__(self, rng, newline):
        self.rng = rng
        self.newline = newline
        self.parts = []

    def add(self, text):
        if isinstance(text, str):
            text = text.encode("utf-8")
        self.parts.append(text.replace(b"\n", self.newline))

    def bytes(self):
        return b"".join(self.parts)


class Library:
    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.macros = []      # names defined so far, as written
        self.keys = []        # entry keys written so far
        self.pending_parents = []  # keys named by a crossref, not yet written
        self.written = set()  # every key written, A-Z folded

    # ---- small pieces ----

    def blank(self):
        r = self.rng.random()
        if r < 0.6:
            return " "
        if r < 0.75:
            return ""
        if r < 0.9:
            return "\n  "
        return "\t \n\t"

    def word(self):
        if self.rng.random() < 0.05:
            return self.rng.choice(LATIN1_WORDS)
        if self.rng.random() < 0.5:
            return self.rng.choice(WORDS)
        return "".join(self.rng.choice("abcdefghij") for _ in range(self.rng.randint(1, 8)))

    def text(self, words):
        parts = []
        for _ in range(words):
            w = self.word()
            parts.append(w if isinstance(w, bytes) else w.encode("utf-8"))
            parts.append(self.rng.choice([b" ", b" ", b"  ", b"\n   ", b"\t"]))
        if self.rng.random() < 0.7 and parts:
            parts.pop()
        if self.rng.random() < 0.15:
            parts.insert(0, b" ")
        return b"".join(parts)

    def ident(self, first_letters=True):
        first = self.rng.choice("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")
        rest = "".join(self.rng.choice(IDENT_CHARS) for _ in range(self.rng.randint(0, 6)))
        return first + rest

    def recase(self, name):
        """name in another letter case, as bibtex folds it: A-Z only."""
        def upper(c):
            return c.upper() if "a" <= c <= "z" else c

        def lower(c):
            return c.lower() if "A" <= c <= "Z" else c
        r = self.rng.random()
        if r < 0.6:
            return name
        if r < 0.8:
            return "".join(upper(c) for c in name)
        return "".join(upper(c) if self.rng.random() < 0.5 else lower(c) for c in name)

    def key(self):
        r = self.rng.random()
        if r < 0.08 and self.keys:
            return self.recase(self.rng.choice(self.keys))  # repeated in some letter case
        if r < 0.15 and self.pending_parents:
            return self.pending_parents.pop(0)
        if r < 0.2:
            return "K\xfc" + str(self.rng.randint(0, 99))
        length = self.rng.randint(1, 12)
        chars = "".join(self.rng.choice(KEY_CHARS) for _ in range(length))
        return self.rng.choice(["Smith", "doe", "X", ""]) + chars

    # ---- values ----

    def braced(self, depth=0):
        inner = [self.text(self.rng.randint(0, 4))]
        if depth < 2 and self.rng.random() < 0.3:
            inner.append(b"{" + self.braced(depth + 1) + b"}")
            inner.append(self.text(self.rng.randint(0, 2)))
        return b"".join(inner)

    def part(self):
        r = self.rng.random()
        if r < 0.4:
            return b"{" + self.braced() + b"}"
        if r < 0.65:
            body = self.braced().replace(b'"', b"{\"}")
            return b'"' + body + b'"'
        if r < 0.75:
            return str(self.rng.randint(0, 3000)).encode()
        if r < 0.85:
            return self.recase(self.rng.choice(MONTHS)).encode()
        if self.macros:
            return self.recase(self.rng.choice(self.macros)).encode("utf-8")
        return b"{}"

    def value(self):
        parts = [self.part()]
        while self.rng.random() < 0.25:
            parts.append(self.part())
        joined = parts[0]
        for p in parts[1:]:
            joined += self.blank().encode() + b"#" + self.blank().encode() + p
        return joined

    # ---- blocks ----

    def delimiters(self):
        return ("{", "}") if self.rng.random() < 0.8 else ("(", ")")

    def string_block(self, out):
        name = self.ident()
        if self.rng.random() < 0.2:
            name += "\xe9"
        value = self.value()
        self.macros.append(name)
        o, c = self.delimiters()
        out.add("@" + self.recase("string") + self.blank() + o + self.blank() + name + self.blank() + "=" + self.blank())
        out.add(value)
        out.add(self.blank() + c + "\n")

    def preamble_block(self, out):
        o, c = self.delimiters()
        out.add("@" + self.recase("preamble") + self.blank() + o + self.blank())
        out.add(self.value())
        out.add(self.blank() + c + "\n")

    def comment_block(self, out):
        r = self.rng.random()
        if r < 0.3:
            out.add("@Comment{jabref-meta: databaseType:bibtex;}\n")
        elif r < 0.5:
            out.add("@comment this line is a comment, says the user\n")
        elif r < 0.7:
            out.add("@COMMENT(a (note) here)\n")
        elif r < 0.78:
            out.add("@comment{ @misc{inside%d, title = {read all the same}} }\n" % self.rng.randint(0, 99))
        elif r < 0.85:
            out.add("% a TeX-style comment line with x@y.org in it\n")
        else:
            out.add("Text between entries: write to me at someone@example.org.\n")

    def field_name(self):
        if self.rng.random() < 0.15:
            name = self.rng.choice(OTHER_FIELDS)
        else:
            name = self.rng.choice(DECLARED_FIELDS)
        return self.recase(name)

    def entry_type(self):
        if self.rng.random() < 0.1:
            return self.rng.choice(OTHER_TYPES)
        return self.recase(self.rng.choice(TYPES))

    def crossref_field(self):
        r = self.rng.random()
        if r < 0.4 and self.keys:
            # a key with a brace in it would unbalance the braced value
            target = self.rng.choice(self.keys).replace("{", "")
        elif r < 0.8:
            target = "parent" + str(self.rng.randint(0, 30))
            self.pending_parents.append(target)
        else:
            target = "nowhere" + str(self.rng.randint(0, 9))
        return b"{" + self.recase(target).encode("utf-8") + b"}"

    def syntax_error(self):
        """A fault bibtex reads past: the entry keeps the fields before it."""
        return self.rng.choice([
            b"%isbn = {978-3-16},",              # Zotero-like commented field
            b"note = {a} title = {b},",          # missing comma
            b"year = 2001abc,",                  # junk after a number
            b"title {no equals},",               # missing "="
            b"= {no name},",                     # missing field name
            b"title = ,",                        # missing value
            b"title = {x} }} junk,",             # a stray closing brace
        ])

    def entry(self, out):
        o, c = self.delimiters()
        key = self.key()
        if c == "}":
            key = key.replace("}", "").replace(",", "")
        else:
            key = key.replace(",", "")
        if "=" not in key and self.rng.random() < 0.5:
            self.keys.append(key)
        out.add("@" + self.rng.choice(["", "", "", " ", "\n"]) + self.entry_type()
                + self.blank().replace("\n", "") + o + self.rng.choice(["", " ", "\n  "]))
        out.add(key.encode("utf-8"))
        body = Writer(self.rng, out.newline)
        fields = self.rng.randint(0, 7)
        error_at = self.rng.randint(0, fields) if self.rng.random() < 0.12 else -1
        for i in range(fields):
            body.add("," + self.rng.choice(["\n  ", " ", "", "\n\t"]))
            if i == error_at:
                body.add(self.syntax_error())
                body.add("\n  ")
            if self.rng.random() < 0.08:
                name, value = "crossref", self.crossref_field()
            else:
                name, value = self.field_name(), self.value()
            body.add(name + self.blank() + "=" + self.blank())
            body.add(value)
        if self.rng.random() < 0.4:
            body.add(",")
        body.add(self.rng.choice(["\n", " ", ""]) + c + "\n")
        folded = "".join(ch.lower() if "A" <= ch <= "Z" else ch for ch in key)
        text = body.bytes()
        if folded in self.written:
            # bibtex skips a repeated entry from its key on, reading any "@"
            # in it; Tamrel reads the entry whole (README, Limits).
            text = text.replace(b"@", b"(at)")
        self.written.add(folded)
        out.parts.append(text)
        if self.rng.random() < 0.5:
            out.add("\n")

    def generate(self):
        newline = b"\r\n" if self.rng.random() < 0.3 else b"\n"
        out = Writer(self.rng, newline)
        if self.rng.random() < 0.1:
            out.add(b"\xef\xbb\xbf")
        if self.rng.random() < 0.5:
            out.add("% Encoding: UTF-8\n\n")
        for _ in range(self.rng.randint(3, 30)):
            r = self.rng.random()
            if r < 0.15:
                self.string_block(out)
            elif r < 0.2:
                self.preamble_block(out)
            elif r < 0.3:
                self.comment_block(out)
            else:
                self.entry(out)
        while self.pending_parents and self.rng.random() < 0.7:
            self.entry(out)
        r = self.rng.random()
        if r < 0.05:
            out.add("@misc{unclosed, title = {the file ends here}\n")
        elif r < 0.1:
            # bibtex reads nothing after the first block of the last line
            out.add("@misc{last1, title = {A}} @misc{last2, title = {B}}")
        library = out.bytes()
        if self.rng.random() < 0.1:
            library = library.rstrip(b"\r\n")
        return library


def GenerateLibrary(seed):
    return Library(seed).generate()
