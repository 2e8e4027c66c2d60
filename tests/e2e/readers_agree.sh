#!/usr/bin/env bash
# The BibTeX reader (the default) and the classic line rules (--classic) must
# write the same bytes for libraries in JabRef's classic layout.  The line
# rules are exact and long tested, so on such files they are the reference.
#
# bench/generate.py --layout classic writes seeded libraries, documents and
# second files that hold only what the line rules read right (see the list
# "Where the BibTeX reader and --classic differ" in README.md).  Each
# operation runs with both readers and every output is compared byte for
# byte:
#   extract  item file and reduced .bib, for every style and page mode;
#   compare  log, equal and missing file, library against second file and
#            second file against library;
#   clean    log and cleaned .bib, of the library and of the second file.
# The bibitem files are compared by their keys alone: without --classic
# the references follow the journals' own BibTeX styles, no longer the
# classic formats (tests/typeset holds what each style prints).
# Every \bibitem line must still come in the same order in all styles.
# Usage: readers_agree.sh TAMREL SOURCE_DIR
set -u
tamrel=$(realpath "$1")
source_dir="$2"
# Output names are cut at the first "." of the path: keep dots out of it.
work=$(mktemp -d "${TMPDIR:-/tmp}/tamrel_agree_XXXXXX")
trap 'rm -rf "$work"' EXIT
compared=0
failed=0

fail() { failed=$((failed + 1)); echo "FAIL $*"; }

# The default reader's logs add, under a verdict or a double, the values
# that decided it ("decided by: DOI"); the line rules write none.  Those
# lines are taken out before the logs are compared.
without_reasons() {  # without_reasons FILE
  sed -E '/^ +([Dd]ecided by: |key in another letter case: )/d' "$1"
}

same() {  # same SET NAME CLASSIC_FILE DEFAULT_FILE
  compared=$((compared + 1))
  if [ ! -f "$3" ] || [ ! -f "$4" ]; then fail "$1 $2: missing output"; return; fi
  if ! cmp -s "$3" <(case "$4" in *.log) without_reasons "$4" ;; *) cat "$4" ;; esac); then
    fail "$1 $2 differs (< --classic, > default):"
    diff "$3" "$4" | head -n 12
  fi
}

# Runs every operation with one reader in DIR (a copy of the inputs), with
# relative paths so that the clean log reads alike for both.
run_all() {  # run_all DIR [--classic]
  local dir="$1" style pages
  shift
  for style in aps acs iop; do
    for pages in first range; do
      (cd "$dir" && "$tamrel" extract paper.tex library.bib --style "$style" --pages "$pages" "$@" >/dev/null 2>&1) ||
        fail "$dir extract $style $pages: status $?"
      for f in items.txt modified.bib bibitems.tex; do
        mv "$dir/library_extract_$f" "$dir/extract_${style}_${pages}_$f" 2>/dev/null
      done
    done
  done
  (cd "$dir" && "$tamrel" compare library.bib second.bib "$@" >/dev/null 2>&1) || fail "$dir compare: status $?"
  (cd "$dir" && "$tamrel" compare second.bib back.bib "$@" >/dev/null 2>&1) || fail "$dir compare back: status $?"
  (cd "$dir" && "$tamrel" clean library.bib "$@" >/dev/null 2>&1) || fail "$dir clean: status $?"
  (cd "$dir" && "$tamrel" clean second.bib "$@" >/dev/null 2>&1) || fail "$dir clean second: status $?"
}

# seed, library entries, cited keys, second-file entries
sets=("1 300 60 120" "2 400 120 150" "3 200 40 250" "4 500 200 100" "5 250 80 200")
for set in "${sets[@]}"; do
  read -r seed entries cited second <<<"$set"
  name="seed$seed"
  inputs="$work/$name/in"
  python3 "$source_dir/bench/generate.py" --layout classic --seed "$seed" --entries "$entries" \
    --cited "$cited" --second "$second" --out "$inputs" || { fail "$name: generator"; continue; }
  # Compared the other way round, the library is the second file; the line
  # rules take its closing @comment{jabref-meta...} line for an entry.
  grep -v '^@comment{jabref' "$inputs/library.bib" >"$inputs/back.bib"
  for reader in classic default; do
    mkdir -p "$work/$name/$reader"
    cp "$inputs"/* "$work/$name/$reader/"
  done
  run_all "$work/$name/classic" --classic
  run_all "$work/$name/default"

  c="$work/$name/classic"
  d="$work/$name/default"
  for style in aps acs iop; do
    for pages in first range; do
      same "$name" "extract $style $pages items" "$c/extract_${style}_${pages}_items.txt" "$d/extract_${style}_${pages}_items.txt"
      same "$name" "extract $style $pages reduced .bib" "$c/extract_${style}_${pages}_modified.bib" "$d/extract_${style}_${pages}_modified.bib"
    done
  done
  for f in library_compare.log library_compare_equal.bib library_compare_missing.bib \
           second_compare.log second_compare_equal.bib second_compare_missing.bib \
           library_clean_of_doubles.log library_clean_of_doubles.bib \
           second_clean_of_doubles.log second_clean_of_doubles.bib; do
    same "$name" "$f" "$c/$f" "$d/$f"
  done

  # The bibitems: the same keys in the same order in every style.
  result=$(python3 - "$c" "$d" "$inputs/library.bib" <<'EOF'
import re, sys
classic, default, library = sys.argv[1:]
types = {}
with open(library) as f:
    for line in f:
        m = re.match(r"@([A-Z]+)\{([^,]*),", line)
        if m:
            types.setdefault(m.group(2), m.group(1))
checked = {}

def entries(path):
    with open(path) as f:
        text = f.read()
    return [(re.match(r"\\bibitem\{([^}]*)\}", p).group(1), p)
            for p in re.split(r"(?m)^(?=\\bibitem\{)", text) if p.startswith("\\bibitem{")]

def names_spaced_once(text):
    return re.sub(r" +\n", "\n", re.sub(r"  +", " ", text))

compared = failed = 0
for style in ("aps", "acs", "iop"):
    for pages in ("first", "range"):
        name = "extract_%s_%s_bibitems.tex" % (style, pages)
        a, b = entries(classic + "/" + name), entries(default + "/" + name)
        if [k for k, _ in a] != [k for k, _ in b] or not a:
            print("FAIL %s: the \\bibitem keys differ" % name)
            failed += 1
            continue
        for (key, x), (_, y) in zip(a, b):
            if style not in checked.get(types[key], ()):
                continue
            compared += 1
            if names_spaced_once(x) != names_spaced_once(y):
                failed += 1
                print("FAIL %s %s (%s):\n< %s> %s" % (name, key, types[key], x, y))
print("RESULT %d %d" % (compared, failed))
EOF
)
  echo "$result" | grep -v '^RESULT'
  read -r _ n bad <<<"$(echo "$result" | grep '^RESULT')"
  compared=$((compared + ${n:-0}))
  failed=$((failed + ${bad:-1}))

  # The data must reach every verdict, or the agreement proves little.
  for pattern in "Exactly the same" "Probably the same" "Missing"; do
    cat "$c/library_compare.log" "$c/second_compare.log" | grep -q "$pattern" || fail "$name: no '$pattern' in the compare logs"
  done
  for pattern in "Exactly the same" "Probably the same" "New name for bibitem"; do
    grep -q "$pattern" "$c/library_clean_of_doubles.log" || fail "$name: no '$pattern' in the clean log"
  done
done
echo "$compared outputs and bibitems compared, $failed failed"
[ "$failed" -eq 0 ] && [ "$compared" -gt 0 ]
