#!/usr/bin/env bash
# Every operation, by the classic line rules, must reproduce the recorded
# golden outputs byte for byte.
# Usage: golden.sh TAMREL SOURCE_DIR
set -u
tamrel="$1"
source_dir="$2"
passed=0
failed=0
for dir in "$source_dir"/tests/golden/seed*/; do
  got=$(mktemp -d)
  bash "$source_dir/tests/golden/run_all.sh" "$tamrel" "$dir/in" "$got" --classic
  for expected in "$dir"/out/*; do
    name=$(basename "$expected")
    if cmp -s "$expected" "$got/$name"; then passed=$((passed + 1)); else
      failed=$((failed + 1)); echo "FAIL $(basename "$dir")/$name differs"; fi
  done
  [ "$(ls "$got" | wc -l)" -eq "$(ls "$dir/out" | wc -l)" ] || { failed=$((failed + 1)); echo "FAIL output count"; }
  rm -rf "$got"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
