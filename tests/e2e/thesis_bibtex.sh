#!/usr/bin/env bash
# A thesis in several files (\include, \input from a folder of chapters)
# citing with natbib's commands, over a library in the layouts people have
# (types in any case, quoted and bare values, @string with "#", a month
# macro, a "(" entry, a crossref): extract writes a reduced library that
# bibtex reads without one warning and that gives every cited key its
# reference; the compiled .aux, given alone, names the same keys and finds
# the library through its \bibdata.
# Usage: bash thesis_bibtex.sh PATH_TO_TAMREL SOURCE_DIR
set -u

for tool in pdflatex bibtex kpsewhich; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool not installed"
    exit 0
  fi
done
if [ -z "$(kpsewhich natbib.sty)" ] || [ -z "$(kpsewhich unsrtnat.bst)" ]; then
  echo "SKIP: natbib not installed"
  exit 0
fi

tamrel=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/tamrel-thesis-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir chapters

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cat > thesis.tex <<'TEX'
\documentclass{report}
\usepackage[numbers]{natbib}
\begin{document}
\include{chapters/intro}
\input{chapters/method}
\bibliographystyle{unsrtnat}
\bibliography{refs}
\end{document}
TEX
cat > chapters/intro.tex <<'TEX'
\chapter{Introduction}
Early work \citep{Einstein1905,
  bohr1913} and later \citet[p.~3]{Dirac1928}.
% \cite{commented_out} is no citation
TEX
cat > chapters/method.tex <<'TEX'
\section{Method}
See \citep[see][ch.~2]{knuth1984} and \citealp{inproc2019}; again \citet*{Einstein1905}.
TEX
cat > refs.bib <<'BIB'
@string{ap = "Annalen der Physik"}
@string{prsa = {Proceedings of the Royal Society A}}
@Misc{before, title = {Not cited}, year = 1999}

@Article{Einstein1905,
  author = {Albert Einstein},
  title = {{Zur Elektrodynamik bewegter K{\"o}rper}},
  journal = ap,
  volume = 17,
  pages = {891--921},
  year = 1905,
}

@article{bohr1913, author = "Niels Bohr", title = "On the Constitution of Atoms and Molecules", journal = "Philosophical Magazine", volume = "26", pages = "1--25", year = "1913"}

@ARTICLE{Dirac1928,
  author = {Dirac, P. A. M.},
  title = {The Quantum Theory of the Electron},
  journal = prsa # { (Mathematical)},
  volume = {117}, pages = {610--624}, year = {1928}, month = feb
}

@book(knuth1984,
  author = {Donald E. Knuth},
  title = {The {\TeX}book},
  publisher = {Addison-Wesley},
  year = 1984
)

@InProceedings{inproc2019,
  author = {Ada Lovelace and Charles Babbage},
  title = {Notes on the Engine},
  crossref = {proc2019},
  pages = {1--10}
}

@Proceedings{proc2019,
  title = {Proceedings of the Engine Conference},
  booktitle = {Proceedings of the Engine Conference},
  editor = {Grace Hopper},
  publisher = {Analytical Press},
  year = 2019
}
@Misc{after, title = {Not cited either}, year = 2001}
BIB

expected="Einstein1905 bohr1913 Dirac1928 knuth1984 inproc2019"

"$tamrel" extract thesis.tex refs.bib >out.txt 2>err.txt || fail "extract failed: $(cat err.txt)"
[ "$(tr '\n' ' ' <refs_extract_items.txt)" = "$expected " ] ||
  fail "items: $(tr '\n' ' ' <refs_extract_items.txt), expected $expected"
for key in before after; do
  ! grep -q "{$key," refs_extract_modified.bib || fail "the uncited entry $key was copied"
done

# The thesis compiled against the reduced library alone.
sed 's/\\bibliography{refs}/\\bibliography{refs_extract_modified}/' thesis.tex >reduced.tex
pdflatex -interaction=nonstopmode reduced >/dev/null 2>&1
if ! bibtex reduced >bibtex.txt 2>&1; then
  fail "bibtex refused the reduced library:"
  cat bibtex.txt
fi
# bibtex's own words for a warning ("warning$" is a function of the style).
if grep -Eq '^Warning--|There (was|were) [0-9]+ warning' reduced.blg; then
  fail "bibtex warned:"
  grep -E -A2 '^Warning--' reduced.blg
fi
for key in $expected; do
  grep -qF "\\bibitem[" reduced.bbl && grep -qF "]{$key}" reduced.bbl || fail "no reference for $key in the .bbl"
done

# The .aux of the thesis as LaTeX wrote it, given alone.
pdflatex -interaction=nonstopmode thesis >/dev/null 2>&1
mkdir from_aux
"$tamrel" extract thesis.aux -o from_aux >/dev/null 2>err.txt || fail "extract from the .aux failed: $(cat err.txt)"
cmp -s from_aux/refs_extract_items.txt refs_extract_items.txt ||
  fail "the .aux gave other keys: $(tr '\n' ' ' <from_aux/refs_extract_items.txt 2>/dev/null)"
cmp -s from_aux/refs_extract_modified.bib refs_extract_modified.bib ||
  fail "the .aux gave another reduced library"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "thesis: 5 keys from 3 files, bibtex without warnings, .aux alike"
