#!/usr/bin/env bash
# A document whose bibliography is spread over several libraries, as
# bibtex reads them in turn: journal macros in one, a @preamble using a
# macro, entries in another, a crossref chain (paper -> proceedings ->
# series, named in another letter case) across files, a key held by two
# libraries (bibtex takes the first), one library with CR LF line ends
# and a byte-order mark.  The truth is bibtex itself: extract's reduced
# library, alone, must give bibtex the same .bbl as the document's own
# libraries, with no warning of its own, and keep every copied byte.
# Usage: bash several_libraries_bibtex.sh PATH_TO_TAMREL SOURCE_DIR
set -u

# shellcheck source=lib/common.sh
. "$2/tests/e2e/lib/common.sh"
require_tools pdflatex bibtex
tamrel=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
enter_scratch several

cat > paper.tex <<'TEX'
\documentclass{article}
\begin{document}
\cite{Paper2001} \cite{Other1999} \cite{Dup2000} \cite{book2003}
\bibliographystyle{unsrt}
\bibliography{abbrev,articles,books}
\end{document}
TEX
cat > abbrev.bib <<'BIB'
@string{pub = "Verlag"}
@string{prl = {Phys. Rev. Lett.}}
@preamble{ "\providecommand{\noopsort}[1]{}" # pub }
BIB
printf '\xef\xbb\xbf@string{ser = "Lecture Notes"}\r\n@proceedings{Proc2001, title = {Proceedings of Things}, year = 2001,\r\n  series = ser, crossref = {series}}\r\n@book{book2003, author = {Bo Oak}, title = {A Book}, publisher = pub, year = 2003}\r\n@Book{Series,\r\n  title = {Collected Series}, publisher = pub, year = 1999, volume = 3,\r\n  editor = {Eddie Tor}}\r\n@article{Dup2000, author = {First Library}, title = {Taken}, journal = prl, volume = 1, pages = 1, year = 2000}\r\n' > books.bib
cat > articles.bib <<'BIB'
@inproceedings{Paper2001, author = {Pa Per}, title = {A Paper}, pages = {1--9},
  crossref = {PROC2001}}
@article{Other1999, author = {O. Ther}, title = {Other}, journal = prl, volume = 82,
  pages = {100}, year = 1999}
@article{Dup2000, author = {Second Library}, title = {Ignored}, journal = prl,
  volume = 2, pages = 2, year = 2000}
BIB

# The truth: bibtex over the document's own libraries.
pdflatex -interaction=batchmode paper.tex >/dev/null 2>&1
bibtex paper >truth.log 2>&1
cp paper.bbl truth.bbl

"$tamrel" extract paper.tex >out.txt 2>report.txt || fail "extract with the document's libraries failed: $(cat report.txt)"
[ -f abbrev_extract_modified.bib ] || fail "no reduced library named after the first library"
grep -q "Libraries read, in order: abbrev.bib, articles.bib, books.bib." report.txt ||
  fail "the report does not list the libraries read: $(cat report.txt)"
grep -q "'Dup2000' is in .*articles.bib (line 5) and in .*books.bib (line 8)" report.txt ||
  fail "the report does not name the key held twice: $(cat report.txt)"

# The reduced library alone gives bibtex the same bibliography, no warning.
mkdir alone && cp paper.aux alone/ && cp "abbrev_extract_modified.bib" alone/reduced.bib 2>/dev/null
cd alone || exit 1
sed -i 's/\\bibdata{[^}]*}/\\bibdata{reduced}/' paper.aux
bibtex paper >bibtex.log 2>&1
# Every warning it gives, bibtex gives over the originals too (a nested
# crossref, a field the style misses); the originals' "Repeated entry" is
# the one error they have more.
grep -E "Warning|error|bad cross" bibtex.log | grep -v "There w" | while read -r line; do
  grep -qF "$line" ../truth.log || echo "$line"
done >new_warnings.txt
[ -s new_warnings.txt ] && fail "bibtex warns on the reduced library only: $(cat new_warnings.txt)"
grep -q "Repeated entry" ../truth.log || fail "the originals lost their repeated key"
cmp -s paper.bbl ../truth.bbl || fail "the reduced library gives another bibliography: $(diff paper.bbl ../truth.bbl)"
cd .. || exit 1

# The copies keep their bytes: the CR LF entries stay CR LF.
grep -q $'@Book{Series,\r$' abbrev_extract_modified.bib && grep -q $'editor = {Eddie Tor}}\r$' abbrev_extract_modified.bib ||
  fail "a CR LF entry lost its line ends in the reduced library"

# The libraries given on the command line, in the same order, do the same.
mkdir given && cd given || exit 1
cp ../paper.tex ../abbrev.bib ../books.bib ../articles.bib .
"$tamrel" extract paper.tex abbrev.bib articles.bib books.bib >/dev/null 2>report.txt ||
  fail "extract with three libraries given failed"
cmp -s abbrev_extract_modified.bib ../abbrev_extract_modified.bib ||
  fail "the libraries given and the document's own give other reduced libraries"
# One library given of the three: the report names the others.
"$tamrel" extract paper.tex articles.bib >/dev/null 2>report.txt
grep -q "The document also names abbrev.bib, books.bib, not read" report.txt ||
  fail "one library of three given: the others are not named: $(cat report.txt)"
cd .. || exit 1

finish
