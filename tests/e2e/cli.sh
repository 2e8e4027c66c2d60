#!/usr/bin/env bash
# The command-line tool: exit statuses, usage errors, reports and the files
# each subcommand prints.  Usage: cli.sh TAMREL SOURCE_DIR
set -u
tamrel="$1"
source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$source_dir"/examples/paper.tex "$source_dir"/examples/library.bib .

passed=0
failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"; fi
}
run() {  # run ARGS...: sets status, out, err
  "$tamrel" "$@" >out.txt 2>err.txt
  status=$?
  out=$(cat out.txt)
  err=$(cat err.txt)
}

run --version
check "version" "0 Tamrel 2.1 - Velmoran - 2009" "$status $out"
run --help
check "help status" 0 "$status"
check "help names every subcommand" 3 "$(grep -cE '^ +(extract|compare|clean) ' out.txt)"
run
check "no command" 2 "$status"
run frobnicate x
check "unknown command" 2 "$status"
check "usage on stderr" 1 "$(grep -c '^Usage: tamrel extract' err.txt)"
run extract paper.tex --classic
check "missing file" 2 "$status"
run extract paper.tex
check "a .tex file names no library" "1 tamrel: paper.tex names no library; give one after it" "$status $err"
run extract paper.tex library.bib --style
check "missing option value" 2 "$status"
run extract paper.tex library.bib --style mla
check "bad style" 2 "$status"
run extract paper.tex library.bib --pages all
check "bad pages" 2 "$status"
run extract paper.tex library.bib --frob
check "unknown option" 2 "$status"
run clean library.bib paper.tex
check "too many files" 2 "$status"

long="$work/$(printf 'd%.0s' $(seq 1 260)).bib"
run clean "$long"
check "path too long" 2 "$status"
check "path too long says so" 1 "$(grep -c 'too long' err.txt)"

run extract paper.tex library.bib
check "extract status" 0 "$status"
check "extract outputs" "library_extract_items.txt
library_extract_modified.bib
library_extract_bibitems.tex" "$out"
check "cited-key report" 1 "$(grep -cE '^The document cites [0-9]+ distinct keys; the library holds [0-9]+ of them\.$' err.txt)"
for f in $out; do check "written: $f" yes "$([ -f "$f" ] && echo yes)"; done

run extract --style=iop --pages=range ./paper.tex ./library.bib
check "options after =, leading ./" "0 ./library_extract_items.txt" "$status $(echo "$out" | head -1)"
run extract --style=IOP --PAGES=range paper.tex library.bib
check "option names keep their case" 2 "$status"
run extract --style IOP --pages=Range paper.tex library.bib
check "option values in any case" 0 "$status"

run extract absent.tex library.bib
check "missing document status" 1 "$status"
check "missing document message" "LaTeX file?: Could not open the LaTeX file! (absent.tex: No such file or directory)" "$err"
run extract absent.tex library.bib --classic
check "missing document message, classic" "LaTeX file?: Could not open the LaTeX file! (absent.tex: No such file or directory)" "$err"
mkdir folder.bib
run clean folder.bib
check "a folder as input" "1 BibTeX file ?: Could not open the BibTeX file! (folder.bib: Is a directory)" "$status $err"

# A binary file given by mistake (a PDF, UTF-16 text) is refused by name,
# before any output is written; the line rules read any bytes.
printf '%%PDF-1.4\n\000\001binary' > paper.pdf
printf '@\000b\000o\000o\000k\000{\000' > utf16.bib
not_text="is not a text file (it holds NUL bytes: a program, an image, a PDF or UTF-16 text?). Tamrel reads BibTeX and LaTeX files saved as UTF-8, Latin-1 or CP1252."
run clean utf16.bib
check "a UTF-16 library" "1 tamrel: utf16.bib $not_text" "$status $err"
check "nothing written for it" no "$([ -e utf16_clean_of_doubles.bib ] && echo yes || echo no)"
run extract paper.pdf library.bib
check "a PDF for a document" "1 tamrel: paper.pdf $not_text" "$status $err"
run compare library.bib utf16.bib
check "a UTF-16 second file" "1 tamrel: utf16.bib $not_text" "$status $err"
run clean utf16.bib --classic
check "the line rules read it" 0 "$status"

run compare library.bib library.bib
check "compare status" 0 "$status"
check "compare outputs" "library_compare.log
library_compare_missing.bib
library_compare_equal.bib" "$out"
run compare absent.bib library.bib
check "compare missing master" "1 BibTeX file No. 1?: Could not open BibTeX file No. 1! (absent.bib: No such file or directory)" "$status $err"

run clean library.bib
check "clean status" 0 "$status"
check "clean outputs" "library_clean_of_doubles.log
library_clean_of_doubles.bib" "$out"
run clean absent.bib
check "clean missing input" "1 BibTeX file ?: Could not open the BibTeX file! (absent.bib: No such file or directory)" "$status $err"

# -o writes the same names into another folder.
mkdir out
run clean library.bib -o out
check "clean -o" "0 out/library_clean_of_doubles.log
out/library_clean_of_doubles.bib" "$status $out"
check "clean -o wrote there" yes "$([ -f out/library_clean_of_doubles.bib ] && echo yes)"
run extract paper.tex library.bib --output-dir=out
check "extract --output-dir=" "0 out/library_extract_items.txt" "$status $(echo "$out" | head -1)"
run clean library.bib -o missing-folder
check "-o into a folder that is not there" 1 "$status"
check "-o message names the reason" 1 "$(grep -c 'No such file or directory' err.txt)"
run clean library.bib -o
check "-o without a folder" 2 "$status"

# A name is cut at its own last ".", never in a folder.
mkdir my.refs
cp library.bib my.refs/lib.v2.bib
run clean my.refs/lib.v2.bib
check "dots in folder and name" "0 my.refs/lib.v2_clean_of_doubles.log" "$status $(echo "$out" | head -1)"
check "report line" 1 "$(grep -cE '^[0-9]+ entries read: [0-9]+ written' err.txt)"
mkdir sub
(cd sub && "$tamrel" clean ../library.bib >../out.txt 2>../err.txt)
check "a library one folder up" "../library_clean_of_doubles.log" "$(head -1 out.txt)"
check "nothing written into the current folder" "" "$(ls sub)"

# An output that would overwrite an input is refused before anything is written.
cp paper.tex lib_extract_bibitems.tex
cp library.bib lib.bib
run extract lib_extract_bibitems.tex lib.bib
check "overwrite refused" 1 "$status"
check "document kept" "" "$(cmp -s paper.tex lib_extract_bibitems.tex || echo changed)"
check "nothing created" no "$([ -e lib_extract_items.txt ] && echo yes || echo no)"
check "one message line" 1 "$(wc -l < err.txt)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
