#!/usr/bin/env bash
# Clean doubles settles in one pass: on every real library beside the
# source tree, cleaning the cleaned file again writes it unchanged, byte
# for byte, and leaves nothing out.  (A same-key copy of one work that was
# renamed the first time would be left out the second.)
# Usage: bash clean_settles.sh PATH_TO_TAMREL SOURCE_DIR
set -u
# shellcheck source=lib/common.sh
. "$2/tests/e2e/lib/common.sh"

tamrel=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
corpus="$2/../shared/corpus/real"
if [ ! -d "$corpus" ]; then
  echo "SKIP: no corpus at $corpus"
  exit 0
fi
enter_scratch settles

count=0
while IFS= read -r -d '' library; do
  count=$((count + 1))
  rm -f ./*
  cp "$library" lib.bib
  if ! "$tamrel" clean lib.bib >/dev/null 2>&1; then
    fail "clean failed on $library"
    continue
  fi
  cp lib_clean_of_doubles.bib once.bib
  if ! "$tamrel" clean once.bib >/dev/null 2>&1; then
    fail "clean of the cleaned file failed on $library"
    continue
  fi
  cmp -s once.bib once_clean_of_doubles.bib || fail "a second clean changes $library"
  if grep -q "the same" once_clean_of_doubles.log; then
    fail "a second clean leaves out entries of $library: $(grep "the same" once_clean_of_doubles.log | head -3)"
  fi
done < <(find "$corpus" -name '*.bib' -print0 | sort -z)
[ "$count" -gt 0 ] || fail "no library found under $corpus"
echo "$count libraries"
finish
