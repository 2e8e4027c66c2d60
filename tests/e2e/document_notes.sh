#!/usr/bin/env bash
# What extract says about the document itself: the bundled example, which
# \inputs the bibitem file extract writes, reports no missing file on its
# first run; a document citing through a command of its own has its
# compiled .aux named in the report, which then gives LaTeX's keys.  The
# .aux files are written as LaTeX writes them (\citation per citation).
# Usage: bash document_notes.sh PATH_TO_TAMREL SOURCE_DIR
set -u
# shellcheck source=lib/common.sh
. "$2/tests/e2e/lib/common.sh"
tamrel=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source_dir=$(cd "$2" && pwd)
enter_scratch notes

# The example's first run: its own bibitem file does not exist yet.
mkdir example && cp "$source_dir"/examples/paper.tex "$source_dir"/examples/library.bib example/
"$tamrel" extract example/paper.tex example/library.bib >/dev/null 2>report.txt || fail "example run failed"
grep -q "File not found" report.txt && fail "example's own bibitem file reported missing: $(cat report.txt)"
# Any other missing file is still reported.
printf '\\cite{Kroto1985}\\input{library_extract_bibitemz}\n' > example/other.tex
"$tamrel" extract example/other.tex example/library.bib >/dev/null 2>report.txt
grep -q "File not found, its citations are missing: library_extract_bibitemz" report.txt ||
  fail "a missing file like the bibitem file is not reported: $(cat report.txt)"

printf '@misc{a, title = {A}}\n@misc{b, title = {B}}\n' > lib.bib
define='\newcommand{\refer}[1]{\cite{#1}}'

# Only through the document's own command: nothing in the text, the .aux names a.
printf '%s\n\\refer{a}\n' "$define" > own.tex
printf '\\relax\n\\citation{a}\n\\bibdata{lib}\n' > own.aux
"$tamrel" extract own.tex lib.bib >/dev/null 2>report.txt
grep -q "own.aux" report.txt || fail "the .aux of a document citing through its own command is not named: $(cat report.txt)"
"$tamrel" extract own.aux >/dev/null 2>&1 || fail "extract own.aux failed"
[ "$(cat lib_extract_items.txt)" = "a" ] || fail "extract own.aux: items '$(cat lib_extract_items.txt)', want 'a'"

# Fewer keys in the text than in the .aux.
printf '%s\n\\cite{b}\\refer{a}\n' "$define" > fewer.tex
printf '\\relax\n\\citation{b}\n\\citation{a}\n' > fewer.aux
"$tamrel" extract fewer.tex lib.bib >/dev/null 2>report.txt
grep -q "cites 1 distinct keys; its compiled .*fewer.aux lists 2, 1 of them" report.txt ||
  fail "fewer keys than the .aux lists: $(cat report.txt)"

# The same keys as the .aux (biblatex's control entry aside): no note.
printf '\\cite{b,a}\n' > same.tex
printf '\\relax\n\\citation{biblatex-control}\n\\citation{b}\n\\citation{a}\n' > same.aux
"$tamrel" extract same.tex lib.bib >/dev/null 2>report.txt
grep -q "\.aux" report.txt && fail "a note although the text cites what the .aux lists: $(cat report.txt)"

# No citation and no .aux: the report says so and names the .aux to make.
printf '%s\n\\refer{a}\n' "$define" > bare.tex
"$tamrel" extract bare.tex lib.bib >/dev/null 2>report.txt
grep -q "cites no key.*bare.aux" report.txt || fail "a document without citations is not reported: $(cat report.txt)"

finish
