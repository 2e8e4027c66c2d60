#!/usr/bin/env bash
# Records the golden outputs: generated inputs and what every operation
# writes for them.  Run it only to record a deliberate change of output;
# tests/e2e/golden.sh checks that every build reproduces these bytes.
# Usage: bash tests/golden/make.sh TAMREL
set -euo pipefail
tamrel="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
cases=("1 220 60 80 0" "2 250 80 100 0.15" "3 150 40 150 0.3")
for dataset in "${cases[@]}"; do
  read -r seed entries cited second quirks <<<"$dataset"
  dir="$here/seed$seed"
  rm -rf "$dir"
  mkdir -p "$dir/in" "$dir/out"
  python3 "$here/../../bench/generate.py" --seed "$seed" --entries "$entries" --cited "$cited" \
    --second "$second" --quirks "$quirks" --out "$dir/in"
  bash "$here/run_all.sh" "$tamrel" "$dir/in" "$dir/out"
done
