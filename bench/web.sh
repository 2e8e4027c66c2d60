#!/usr/bin/env bash
# Builds an optimised tamrel and the web page, then times the page in
# headless Chromium beside the native tool (bench/web.py; its arguments
# follow, e.g. --entries 10000 for a quick run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh build
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAMREL_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target tamrel >/dev/null
bash scripts/build-web.sh build-web/page >/dev/null
# Debian's python3, which has Debian's Selenium.
/usr/bin/python3 bench/web.py "$@"
