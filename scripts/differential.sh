#!/usr/bin/env bash
# Reads newly generated libraries with bibtex and with Tamrel's BibTeX
# reader for a while and compares what each sees (tests/differential).
#   bash scripts/differential.sh [SECONDS] [BUILD_DIR]   (default: an hour, build)
# Each library that differs is kept in BUILD_DIR/differential with both
# readings; the last line gives the libraries, entries and differences.
set -euo pipefail
seconds="${1:-3600}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${2:-$root/build}"
command -v bibtex >/dev/null || { echo "bibtex is not installed" >&2; exit 1; }
cmake --build "$build" -j2 --target fields_dump >/dev/null
# A seed of its own for each run, so that runs add up instead of repeating.
first_seed="$(( $(date +%s) % 1000000 * 1000 ))"
exec python3 "$root/tests/differential/bibtex_differential.py" \
  --tool "$build/tests/fields_dump" --seconds "$seconds" --first-seed "$first_seed" \
  --keep "$build/differential"
