#!/usr/bin/env bash
# Long differential run of the citation finder against pdflatex and bibtex:
# generated document trees (\input, \include, \subfile, \import, comments,
# verbatim, the citing commands of LaTeX, natbib and biblatex), one after
# another for the given time, each compared on its keys, libraries and
# files read, and extract's item file against bibtex's .bbl.
# Usage: bash scripts/document_diff.sh [SECONDS] [FIRST_SEED]   (default an hour)
# Differing trees are kept in build/document-diff/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3600}
seed=${2:-$(date +%s)}
bash scripts/install-deps.sh build latex
cmake -S . -B build -DTAMREL_TESTS=ON >/dev/null
cmake --build build -j2 --target citations_driver tamrel >/dev/null
# The run uses copies, so that a build during the run cannot change them.
tools=$(mktemp -d "${TMPDIR:-/tmp}/tamrel-docdiff-XXXXXX")
trap 'rm -rf "$tools"' EXIT
cp build/tests/citations_driver build/tamrel "$tools"/
echo "first seed $seed, $seconds s"
python3 tests/texdiff/document_diff.py --driver "$tools"/citations_driver --tamrel "$tools"/tamrel \
  --seed "$seed" --seconds "$seconds" --keep build/document-diff --show 3
