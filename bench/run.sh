#!/usr/bin/env bash
# Builds an optimised tamrel, installs what the benchmark needs (GNU time,
# valgrind; with --peers also bibtool from Debian and bibtex-tidy from npm)
# and runs it.  Arguments go to bench/run.py (--sizes 1000,10000 for a quick
# run, --peers for the peer tools' times).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh build
needed=(valgrind time)
peers=0
for arg in "$@"; do [ "$arg" = --peers ] && peers=1; done
[ "$peers" -eq 1 ] && needed+=(bibtool nodejs npm)
missing=()
for p in "${needed[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || command -v "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ -n "${missing[*]:-}" ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq && $sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if [ "$peers" -eq 1 ] && [ ! -x build-bench/npm/node_modules/.bin/bibtex-tidy ]; then
  npm install --silent --prefix build-bench/npm bibtex-tidy >/dev/null
fi
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAMREL_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target tamrel >/dev/null
python3 bench/run.py --callgrind "$@"
