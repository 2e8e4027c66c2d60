#!/usr/bin/env bash
# Runs every operation on one golden input folder and gathers the outputs.
# Usage: run_all.sh TAMREL INPUT_DIR OUTPUT_DIR [OPTION...]
# The options go after each operation's files (--classic, say).
set -euo pipefail
tamrel="$1"
inputs="$2"
outputs="$3"
shift 3
options=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for style in aps acs iop; do
  for pages in first range; do
    cp "$inputs"/paper.tex "$inputs"/library.bib "$work"/
    (cd "$work" && "$tamrel" extract paper.tex library.bib --style "$style" --pages "$pages" ${options[@]+"${options[@]}"} >/dev/null 2>&1)
    mv "$work/library_extract_bibitems.tex" "$outputs/extract_${style}_${pages}_bibitems.tex"
    # The item file and the reduced library do not depend on the options.
    for f in items.txt modified.bib; do
      if [ "$style$pages" = apsfirst ]; then mv "$work/library_extract_$f" "$outputs/extract_$f"
      else cmp -s "$work/library_extract_$f" "$outputs/extract_$f" || echo "extract_$f differs for $style $pages" >>"$outputs/extract_option_differences.txt"; fi
    done
  done
done
cp "$inputs"/library.bib "$inputs"/second.bib "$work"/
(cd "$work" && "$tamrel" compare library.bib second.bib ${options[@]+"${options[@]}"} >/dev/null 2>&1)
(cd "$work" && "$tamrel" compare second.bib library.bib ${options[@]+"${options[@]}"} >/dev/null 2>&1)
(cd "$work" && "$tamrel" clean library.bib ${options[@]+"${options[@]}"} >/dev/null 2>&1)
(cd "$work" && "$tamrel" clean second.bib ${options[@]+"${options[@]}"} >/dev/null 2>&1)
for f in "$work"/*_compare* "$work"/*_clean_of_doubles*; do
  # The clean log names the input's path, which differs from run to run.
  sed -e "s|$work/||g" "$f" >"$outputs/$(basename "$f")"
done
