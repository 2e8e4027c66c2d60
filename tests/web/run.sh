#!/usr/bin/env bash
# Builds the web page and tests it in headless Chromium against the
# command-line tool (tests/web/page_browser_test.py).  Installs Emscripten,
# Chromium, its driver and Selenium when they are missing.
#   tests/web/run.sh [TAMREL] [--screenshots DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
tamrel="build/tamrel"
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
  tamrel="$1"
  shift
fi
if [ ! -x "$tamrel" ]; then
  bash scripts/install-deps.sh build
  cmake -S . -B build >/dev/null
  cmake --build build -j2 --target tamrel >/dev/null
fi
page=build-web/page
bash scripts/build-web.sh "$page" >/dev/null
# Debian's python3, which has Debian's Selenium, whatever python3 comes first.
/usr/bin/python3 tests/web/page_browser_test.py --page "$page" --tamrel "$tamrel" "$@"
