#!/usr/bin/env bash
# Cross-builds the Windows programs and tests them under Wine:
#   1. Tamrel.exe and tamrel.exe import system DLLs only;
#   2. the window test program drives the real window, menu, dialog,
#      message boxes and chooser under Xvfb;
#   3. tamrel.exe under Wine writes the same outputs as the Linux tool:
#      its own texts (logs, item and bibitem files) with CR LF line ends,
#      the same for CR LF inputs as for LF inputs; the copied entries (the
#      .bib outputs) byte for byte, with their input's line ends.
#
# Usage: scripts/test_windows.sh PATH-TO-LINUX-tamrel
# The cross build goes to build-win, or to $TAMREL_WIN_BUILD when set; the
# Wine prefix lives inside it.  Needs: g++-mingw-w64-x86-64-posix, wine,
# wine64, xvfb.  Exits nonzero on any failure.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 PATH-TO-LINUX-tamrel" >&2
  exit 2
fi
LINUX_TOOL=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TAMREL_WIN_BUILD:-$SRC/build-win}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
FAILURES=0
fail() { echo "FAIL: $*"; FAILURES=$((FAILURES + 1)); }

echo "-- cross build in $BUILD"
cmake -S "$SRC" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$SRC/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j2
GUI="$BUILD/gui/Tamrel.exe"
CLI="$BUILD/cli/tamrel.exe"
UITEST="$BUILD/tests/tamrel_ui_test.exe"

echo "-- imported DLLs"
SYSTEM_DLLS="kernel32.dll user32.dll gdi32.dll comdlg32.dll msvcrt.dll advapi32.dll shell32.dll"
for exe in "$GUI" "$CLI" "$UITEST"; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
    case " $SYSTEM_DLLS " in
      *" $dll "*) ;;
      *) fail "$(basename "$exe") imports $dll, which Windows does not ship" ;;
    esac
  done
done
GUI_HEADERS=$(x86_64-w64-mingw32-objdump -p "$GUI")
grep -q "Subsystem.*Windows GUI" <<<"$GUI_HEADERS" || fail "Tamrel.exe is not a GUI program"

# shellcheck source=wine_env.sh
source "$SRC/scripts/wine_env.sh"
wine_env "$BUILD"

echo "-- window tests under Xvfb"
EXAMPLES_WIN=$(wine_path "$SRC/examples")
UI_LOG="$BUILD/ui_test.log"
if timeout 600 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c 'wine "$0" "$1"; code=$?; wineserver -w; exit $code' \
    "$UITEST" "$EXAMPLES_WIN" >"$UI_LOG" 2>&1; then
  grep -v -e '^ok - ' -e '^X connection' -e '^wine: ' "$UI_LOG" || true
else
  cat "$UI_LOG"
  fail "window tests"
fi
grep -E '^[0-9]+ passed, [0-9]+ failed' "$UI_LOG" | tail -n 1 | grep -q ' 0 failed' ||
  fail "window tests summary"

echo "-- command-line tool: Wine against Linux"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"; wineserver -k >/dev/null 2>&1 || true' EXIT
wineserver -p >/dev/null 2>&1 || true

# Each case: a name, the input files (paths), then the tool's arguments
# with inputs named by their base names.
CORPUS="$SRC/../shared/corpus/real"
CASES=(
  "extract-aps|$SRC/examples/paper.tex $SRC/examples/library.bib|extract paper.tex library.bib"
  "extract-acs-range|$SRC/examples/paper.tex $SRC/examples/library.bib|extract paper.tex library.bib --style acs --pages range"
  "extract-iop|$SRC/examples/paper.tex $SRC/examples/library.bib|extract paper.tex library.bib --style iop"
  "extract-nature|$SRC/examples/paper.tex $SRC/examples/library.bib|extract paper.tex library.bib --style nature"
  "extract-rsc|$SRC/examples/paper.tex $SRC/examples/library.bib|extract paper.tex library.bib --style rsc"
  "compare-self|$SRC/examples/library.bib|compare library.bib library.bib"
  "clean|$SRC/examples/library.bib|clean library.bib"
)
if [ -d "$CORPUS" ]; then
  CASES+=(
    "corpus-extract|$CORPUS/ruiz-revarticle/RIBF.tex $CORPUS/ruiz-revarticle/refs.bib|extract RIBF.tex refs.bib --pages range"
    "corpus-extract-long|$CORPUS/esguerra-thesis/chapter1.tex $CORPUS/esguerra-thesis/biblio.bib|extract chapter1.tex biblio.bib --style acs"
    "corpus-compare|$CORPUS/anasrana-thesis/thesis-new.bib $CORPUS/anasrana-thesis/thesis.bib|compare thesis-new.bib thesis.bib"
    "corpus-clean|$CORPUS/christiaanb-haskell12/jabref.bib|clean jabref.bib"
  )
else
  echo "(no corpus at $CORPUS: the real-world cases are skipped)"
fi

to_crlf() { perl -pe 's/\n/\r\n/' "$1" >"$2"; }

# Runs one side: copies (or CR LF converts) the inputs, runs the tool there.
run_side() {  # dir crlf tool args...
  local dir=$1 crlf=$2 tool=$3
  shift 3
  mkdir -p "$dir"
  for input in $INPUTS; do
    if [ "$crlf" = yes ]; then
      to_crlf "$input" "$dir/$(basename "$input")"
    else
      cp "$input" "$dir/"
    fi
  done
  if [ "$tool" = linux ]; then
    (cd "$dir" && "$LINUX_TOOL" "$@" >"$dir.out" 2>&1) && echo 0 >"$dir.code" || echo $? >"$dir.code"
  else
    (cd "$dir" && wine "$CLI" "$@" >"$dir.out" 2>&1) && echo 0 >"$dir.code" || echo $? >"$dir.code"
  fi
}

# The outputs of a run: every file that is not one of its inputs.
outputs_of() {
  local dir=$1 name
  for file in "$dir"/*; do
    name=$(basename "$file")
    case " $INPUT_NAMES " in *" $name "*) continue ;; esac
    echo "$name"
  done
}

# Fails the case unless the two files are equal byte for byte.
same() {  # expected actual problem
  cmp -s "$1" "$2" || { fail "$NAME: $3"; ok=no; }
}

for case in "${CASES[@]}"; do
  IFS='|' read -r NAME INPUTS ARGS <<<"$case"
  INPUT_NAMES=""
  missing=no
  for input in $INPUTS; do
    [ -f "$input" ] || missing=yes
    INPUT_NAMES="$INPUT_NAMES $(basename "$input")"
  done
  if [ $missing = yes ]; then fail "$NAME: an input is missing"; continue; fi
  # shellcheck disable=SC2086
  {
    run_side "$WORK/$NAME/linux" no linux $ARGS
    run_side "$WORK/$NAME/linux-crlf" yes linux $ARGS
    run_side "$WORK/$NAME/wine" no wine $ARGS
    run_side "$WORK/$NAME/wine-crlf" yes wine $ARGS
  }
  base="$WORK/$NAME"
  ok=yes
  for side in linux-crlf wine wine-crlf; do
    if [ "$(cat "$base/$side.code")" != "$(cat "$base/linux.code")" ]; then
      fail "$NAME: exit code $(cat "$base/$side.code") on $side, $(cat "$base/linux.code") on linux"
      ok=no
    fi
  done
  expected=$(outputs_of "$base/linux")
  if [ -z "$expected" ]; then fail "$NAME: no outputs"; ok=no; fi
  for side in linux-crlf wine wine-crlf; do
    if [ "$(outputs_of "$base/$side")" != "$expected" ]; then
      fail "$NAME: $side wrote other files: $(outputs_of "$base/$side" | tr '\n' ' ')"
      ok=no
    fi
  done
  for out in $expected; do
    to_crlf "$base/linux/$out" "$base/$out.crlf"
    case "$out" in
      *.bib)  # copies: their input's line ends, on every system
        same "$base/$out.crlf" "$base/linux-crlf/$out" "$out of CR LF input lost its line ends on Linux"
        same "$base/linux/$out" "$base/wine/$out" "$out from Wine is not the Linux copy byte for byte"
        same "$base/linux-crlf/$out" "$base/wine-crlf/$out" "$out of CR LF input differs under Wine" ;;
      *)  # the tool's own text: the host's line ends
        same "$base/linux/$out" "$base/linux-crlf/$out" "$out differs for CR LF input on Linux"
        same "$base/$out.crlf" "$base/wine/$out" "$out from Wine is not the Linux output with CR LF"
        same "$base/wine/$out" "$base/wine-crlf/$out" "$out differs for CR LF input under Wine" ;;
    esac
  done
  if [ $ok = yes ]; then
    echo "ok - $NAME: $(echo $expected | wc -w) outputs equal (exit $(cat "$base/linux.code"))"
  fi
done

if [ $FAILURES -ne 0 ]; then
  echo "Windows tests: $FAILURES failure(s)"
  exit 1
fi
echo "Windows tests passed."
