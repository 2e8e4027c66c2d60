#!/usr/bin/env bash
# Runs extract on every real library beside the source tree (../shared/
# corpus/real/**/*.bib) with a document that cites everything, in each
# journal style, and compiles the five bibitem files of a library in one
# document with pdflatex.  A library that is valid UTF-8 is read with
# inputenc's utf8, any other with cp1252 (a superset of Latin-1's letters).
# Usage: bash corpus_pdflatex.sh PATH_TO_TAMREL SOURCE_DIR
set -u

source_dir=$(cd "$2" && pwd)
corpus="$source_dir/../shared/corpus/real"
if [ ! -d "$corpus" ]; then
  echo "SKIP: no real corpus at $corpus"
  exit 0
fi
for tool in pdflatex iconv; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool not installed"
    exit 0
  fi
done

tamrel=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/tamrel-corpus-XXXXXX") || exit 1
[ -n "${KEEP_WORK:-}" ] || trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The inputenc option for a library's bytes.
input_encoding() {
  if iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; then echo utf8; else echo cp1252; fi
}

# Commands that a value may hold and the typesetter writes out itself
# (links, amsmath's \text, the journal macros of ADS): never provided.
typeset_commands='^(url|href|path|text|aj|apj|apjl|apjs|aap|aaps|araa|mnras|pasp|pasj|nat|procspie)$'

# The commands a library's values use from its own documents' preambles
# (\van, \cyr, ...): every control word of the library, which the
# document below provides empty where LaTeX lacks it.  \end... names
# cannot be defined and are LaTeX's own.
library_commands() {
  grep -ao '\\[A-Za-z]\+' "$1" | cut -c2- | sort -u | grep -Ev "$typeset_commands" | grep -v '^end'
}

# Writes the document that shows a library's references in every style.
write_document() {
  local encoding=$1 library=$2
  {
    printf '\\documentclass{article}\n\\usepackage[%s]{inputenc}\n\\usepackage[T1]{fontenc}\n' "$encoding"
    library_commands "$library" | sed 's/.*/\\providecommand{\\&}{}/'
    printf '\\begin{document}\n'
    for style in aps acs iop nature rsc; do
      printf '\\section*{%s}\n\\begin{thebibliography}{9999}\n\\input{bibitems_%s}\n\\end{thebibliography}\n' \
        "$style" "$style"
    done
    printf '\\end{document}\n'
  }
}

# Extracts one library in every style into its own folder and compiles.
check_library() {
  local library=$1 folder=$2
  local name=${library#"$corpus"/}
  mkdir -p "$folder" && cp "$library" "$folder/library.bib" || return 1
  printf '\\documentclass{article}\n\\begin{document}\n\\nocite{*}\n\\end{document}\n' >"$folder/doc.tex"
  local style count
  for style in aps acs iop nature rsc; do
    if ! (cd "$folder" && "$tamrel" extract doc.tex library.bib --style "$style" >/dev/null 2>extract.err); then
      fail "$name: extract --style $style failed"
      cat "$folder/extract.err"
      return 1
    fi
    mv "$folder/library_extract_bibitems.tex" "$folder/bibitems_$style.tex" || return 1
  done
  count=$(grep -c '^\\bibitem{' "$folder/bibitems_aps.tex")
  local encoding
  encoding=$(input_encoding "$library")
  write_document "$encoding" "$library" >"$folder/all.tex"
  if ! (cd "$folder" && pdflatex -interaction=nonstopmode -halt-on-error all.tex >all.out 2>&1); then
    fail "$name ($encoding): pdflatex stopped"
    grep -m 3 -A 4 '^!' "$folder/all.log" 2>/dev/null || tail -n 20 "$folder/all.out"
    return 1
  fi
  echo "ok: $name ($encoding, $count references in 3 styles)"
}

libraries=0
while IFS= read -r -d '' library; do
  libraries=$((libraries + 1))
  check_library "$library" "$work/library_$libraries"
done < <(find "$corpus" -name '*.bib' -print0 | sort -z)

if [ "$libraries" -eq 0 ]; then
  echo "SKIP: no .bib files under $corpus"
  exit 0
fi
if [ "$failures" -ne 0 ]; then
  echo "$failures of $libraries libraries failed"
  exit 1
fi
echo "PASS: $libraries libraries"
