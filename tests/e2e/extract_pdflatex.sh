#!/usr/bin/env bash
# Runs extract on the bundled example paper and library in each journal
# style, checks what the tool prints and that every cited key (the paper
# cites an entry of every type) has its reference, and compiles every
# bibitem file (and the example paper, which reads it) with pdflatex.
# Usage: bash extract_pdflatex.sh PATH_TO_TAMREL SOURCE_DIR
set -u

# shellcheck source=lib/common.sh
. "$2/tests/e2e/lib/common.sh"
require_tools pdflatex

# Absolute paths: the runs below happen in a scratch folder.
tamrel=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source_dir=$(cd "$2" && pwd)

enter_scratch e2e
cp "$source_dir"/examples/paper.tex "$source_dir"/examples/library.bib . || exit 1

# Every key that paper.tex cites (\cite, \citep, \citet, ... with
# optional [..] notes), one per line.
cited_keys() {
  grep -o '\\cite[a-zA-Z]*\(\[[^]]*\]\)*{[^}]*}' paper.tex | sed 's/.*{//; s/}$//' | tr ',' '\n' |
    sed 's/^ *//; s/ *$//' | sort -u
}

# The entry type of a key in library.bib, in lower case; "" when absent.
entry_type() {
  grep -o "^@[A-Za-z]*{$1," library.bib | head -n 1 | sed 's/^@//; s/{.*//' | tr '[:upper:]' '[:lower:]'
}

# The example cites an entry of every type, and each held key has its
# \bibitem in the file.
check_every_type() {
  local label=$1 bibitems=$2 key type types=" "
  while IFS= read -r key; do
    type=$(entry_type "$key")
    [ -n "$type" ] || continue
    types="$types$type "
    grep -qF "\\bibitem{$key}" "$bibitems" || fail "$label: no \\bibitem for the cited $type $key"
  done < <(cited_keys)
  for type in article book booklet inbook incollection inproceedings conference manual mastersthesis misc \
    phdthesis proceedings techreport unpublished online report thesis; do
    case "$types" in
      *" $type "*) ;;
      *) fail "$label: paper.tex cites no $type entry" ;;
    esac
  done
}

# Compiles a LaTeX file; on failure shows the end of its log.
compile() {
  local name=$1
  if ! pdflatex -interaction=nonstopmode -halt-on-error "$name.tex" >"$name.out" 2>&1; then
    fail "pdflatex could not compile $name.tex"
    tail -n 25 "$name.log" 2>/dev/null || tail -n 25 "$name.out"
    return 1
  fi
  [ -s "$name.pdf" ] || fail "pdflatex made no $name.pdf"
}

run_style() {
  local label=$1
  shift
  local stdout_file="stdout_$label.txt"
  "$tamrel" extract paper.tex library.bib "$@" >"$stdout_file" 2>"stderr_$label.txt"
  local status=$?
  if [ "$status" -ne 0 ]; then
    fail "$label: tamrel extract exited with status $status"
    cat "stderr_$label.txt"
    return 1
  fi

  # The three output paths, one per line, in this order.
  local expected=(library_extract_items.txt library_extract_modified.bib library_extract_bibitems.tex)
  mapfile -t printed <"$stdout_file"
  if [ "${#printed[@]}" -ne 3 ]; then
    fail "$label: expected 3 lines on stdout, got ${#printed[@]}"
    cat "$stdout_file"
    return 1
  fi
  for i in 0 1 2; do
    case "${printed[$i]}" in
      *"${expected[$i]}") ;;
      *) fail "$label: line $((i + 1)) of stdout is '${printed[$i]}', expected a path ending in ${expected[$i]}" ;;
    esac
    [ -s "${printed[$i]}" ] || fail "$label: ${printed[$i]} is missing or empty"
  done

  local bibitems="bibitems_$label"
  cp library_extract_bibitems.tex "$bibitems.tex" || return 1
  check_every_type "$label" "$bibitems.tex"
  cat >"wrap_$label.tex" <<TEX
\\documentclass{article}
\\begin{document}
\\begin{thebibliography}{99}
\\input{$bibitems}
\\end{thebibliography}
\\end{document}
TEX
  compile "wrap_$label"
  echo "ok: $label ($(grep -c '^\\bibitem{' "$bibitems.tex") references)"
}

# The example paper itself reads the bibitem file of the run before it.
run_style aps && compile paper && echo "ok: paper.tex with its aps references"
run_style acs_range --style acs --pages range
run_style iop --style iop

finish
