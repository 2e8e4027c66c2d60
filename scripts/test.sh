#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the unit and
# end-to-end tests, the web page in headless Chromium, the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows
# program under Wine and Xvfb, the release packages, and a short run of
# every fuzz harness.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh build latex windows fuzz web

echo "== unit and end-to-end tests"
cmake -S . -B build -DTAMREL_TESTS=ON -DTAMREL_SANITIZE=OFF >/dev/null
cmake --build build -j2
(cd build && ctest -j2 --output-on-failure)

echo "== web page in headless Chromium"
bash tests/web/run.sh "$PWD/build/tamrel"

if [ -f scripts/test_sanitizers.sh ]; then
  echo "== sanitizer build"
  bash scripts/test_sanitizers.sh
fi

if [ -f scripts/test_windows.sh ]; then
  echo "== Windows program under Wine"
  bash scripts/test_windows.sh "$PWD/build/tamrel"
fi

if [ -f scripts/test_packages.sh ]; then
  echo "== release packages"
  TAMREL_LINUX_BUILD="$PWD/build" TAMREL_WIN_BUILD="$PWD/build-win" bash scripts/test_packages.sh
fi

if [ -f scripts/fuzz.sh ]; then
  echo "== short fuzz runs"
  bash scripts/fuzz.sh --short
fi
echo "All tests passed."
