#!/usr/bin/env bash
# Builds the command-line tool and runs extract on the bundled example
# files; the three outputs are written beside examples/library.bib.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh build
cmake -S . -B build -DTAMREL_TESTS=OFF >/dev/null
cmake --build build -j2 --target tamrel >/dev/null
./build/tamrel extract examples/paper.tex examples/library.bib "$@"
