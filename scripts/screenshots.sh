#!/usr/bin/env bash
# Takes the screenshots of the Windows program for the documentation:
#   docs/main-window.png  the main window after extracting the examples
#   docs/preferences.png  the open preferences dialog
# Runs Tamrel.exe under Wine in Xvfb, chooses examples/paper.tex and
# examples/library.bib (copied to a temporary folder) through the real
# chooser, runs "Go and extract", and opens the preferences dialog.
#
# Usage: scripts/screenshots.sh   (cross build in build-win, or in
# $TAMREL_WIN_BUILD).  Needs the packages of scripts/test_windows.sh and
# imagemagick.
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TAMREL_WIN_BUILD:-$SRC/build-win}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)

cmake -S "$SRC" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$SRC/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j2 --target tamrel_gui tamrel_drive_window

# shellcheck source=wine_env.sh
source "$SRC/scripts/wine_env.sh"
wine_env "$BUILD"

# No "." in the folder: output names are cut at the first "." of the path.
WORK=$(mktemp -d /tmp/tamrel-shots-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cp "$SRC/examples/paper.tex" "$SRC/examples/library.bib" "$WORK/"
mkdir -p "$SRC/docs"

export GUI="$BUILD/gui/Tamrel.exe" DRIVE="$BUILD/tests/tamrel_drive_window.exe"
export DOC=$(wine_path "$WORK/paper.tex") LIB=$(wine_path "$WORK/library.bib")
export WORK DOCS="$SRC/docs"

timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
  # A failed step names itself: xvfb-run passes on the exit code only.
  trap '"'"'echo "screenshots: failed: $BASH_COMMAND" >&2'"'"' ERR
  drive() { wine "$DRIVE" "$@" | tr -d "\r"; }
  # Crops a rect "x y width height" out of a screenshot of the screen.
  shoot() {
    local rect=$1 out=$2
    sleep 1
    import -window root "$WORK/screen.png"
    read -r x y w h <<<"$rect"
    convert "$WORK/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$out"
  }
  wine "$GUI" >/dev/null 2>&1 &
  main=$(drive wait)
  drive choose 9071 "Choose the first file ..." "$DOC"
  drive choose 9070 "Choose the second file ..." "$LIB"
  drive command 9060
  drive wait-text "Finished! There are new files in the last chosen directory."
  shoot "$main" "$DOCS/main-window.png"
  drive command 9066
  dialog=$(drive rect "Preferences for '"'"'extract'"'"'")
  shoot "$dialog" "$DOCS/preferences.png"
  drive cancel "Preferences for '"'"'extract'"'"'"
  drive command 9072
  wait
  wineserver -w
'
ls "$WORK"/library_extract_bibitems.tex >/dev/null
echo "Wrote docs/main-window.png and docs/preferences.png"
