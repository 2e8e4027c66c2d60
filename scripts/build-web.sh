#!/usr/bin/env bash
# Builds the web page into dist/web/: the page, its script and style, the
# worker and the WebAssembly module of the core.  Installs Emscripten (and
# the browser test tools) first when they are missing.
#   scripts/build-web.sh [OUT_DIR]     (default: dist/web)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-dist/web}"
bash scripts/install-deps.sh web

# Debian's Emscripten runs its optimizer with node, which finds acorn only
# in Debian's module folder when node is not Debian's own.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DTAMREL_TESTS=OFF >/dev/null
cmake --build build-web -j2 --target tamrel_web_module

mkdir -p "$out"
cp web/index.html web/page.css web/page.js web/worker.js web/zip.js "$out"/
cp build-web/tamrel_web.js build-web/tamrel_web.wasm "$out"/
cp examples/paper.tex examples/library.bib "$out"/
echo "$out"
