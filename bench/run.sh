#!/usr/bin/env bash
# Builds an optimised tamrel, installs the peer tools that are missing
# (bibtool from Debian, bibtex-tidy from npm, valgrind) and runs the
# benchmark.  Arguments go to bench/run.py (--sizes 1000,10000 for a quick run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh build
for p in bibtool valgrind nodejs npm time; do
  dpkg -s "$p" >/dev/null 2>&1 || command -v "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ -n "${missing[*]:-}" ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq && $sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
[ -x build-bench/npm/node_modules/.bin/bibtex-tidy ] || npm install --silent --prefix build-bench/npm bibtex-tidy >/dev/null
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAMREL_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target tamrel >/dev/null
python3 bench/run.py --callgrind "$@"
