#!/usr/bin/env bash
# Makes the release packages with scripts/package.sh and tests what a user
# gets from each:
#   1. the Debian package, unpacked into a scratch root: its files, its
#      control fields, and the installed tamrel running --help and extract;
#   2. the manual page renders without warnings and has its sections;
#   3. the bash completion offers the commands, options, option values and
#      the right kinds of files;
#   4. the Windows zip: both programs (the window and the console tool), and
#      its tamrel.exe running extract under Wine;
#   5. the Windows installer under Wine, in a fresh prefix: a silent install
#      for the user (files, Start-menu shortcut, HKCU uninstall entry), the
#      installed Tamrel.exe showing its window under Xvfb, an uninstall
#      refused while it runs, and a silent uninstall that leaves nothing.
#
# Builds in build-pkg and build-win-pkg, or in the folders named by
# TAMREL_LINUX_BUILD and TAMREL_WIN_BUILD (scripts/test.sh passes those it
# has built).  Exits nonzero on any failure.
set -euo pipefail
# One locale for all: sorted completions compare the same everywhere, and
# man does not warn about a locale the machine lacks.
export LC_ALL=C.UTF-8
SRC=$(cd "$(dirname "$0")/.." && pwd)
cd "$SRC"
bash scripts/install-deps.sh build windows package

WORK=$(mktemp -d)
FAILURES=0
fail() { echo "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
ok() { echo "ok - $*"; }
cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

echo "-- making the packages"
if ! TAMREL_DIST="$WORK/dist" bash scripts/package.sh >"$WORK/package.log" 2>&1; then
  cat "$WORK/package.log"
  echo "FAIL: scripts/package.sh"
  exit 1
fi
DEB=$(find "$WORK/dist" -name 'tamrel_*.deb')
ZIP=$(find "$WORK/dist" -name 'Tamrel-*-win64.zip')
SETUP=$(find "$WORK/dist" -name 'Tamrel-*-setup.exe')
for package in "$DEB" "$ZIP" "$SETUP"; do
  [ -n "$package" ] || { ls "$WORK/dist"; echo "FAIL: a package is missing"; exit 1; }
done
ok "made $(basename "$DEB"), $(basename "$ZIP"), $(basename "$SETUP")"

# Runs extract of the example files in a copy, with the given tool
# (and its launcher, e.g. wine); passes when it exits 0 and writes the
# three outputs.
extract_in_copy() {  # name dir tool...
  local name=$1 dir=$2 status=0 out
  shift 2
  mkdir -p "$dir"
  cp examples/paper.tex examples/library.bib "$dir/"
  (cd "$dir" && "$@" extract paper.tex library.bib >stdout.txt 2>stderr.txt) || status=$?
  if [ $status -ne 0 ]; then
    fail "$name: extract exited $status: $(cat "$dir/stderr.txt")"
    return
  fi
  for out in library_extract_items.txt library_extract_modified.bib library_extract_bibitems.tex; do
    [ -s "$dir/$out" ] || { fail "$name: extract wrote no $out"; return; }
  done
  ok "$name: extract wrote its three outputs"
}

echo "-- Debian package"
ROOT="$WORK/root"
dpkg -x "$DEB" "$ROOT"
for file in usr/bin/tamrel usr/share/man/man1/tamrel.1.gz \
    usr/share/bash-completion/completions/tamrel \
    usr/share/doc/tamrel/README.md usr/share/doc/tamrel/LICENSE usr/share/doc/tamrel/copyright; do
  [ -f "$ROOT/$file" ] || fail "the package lacks /$file"
done
[ -x "$ROOT/usr/bin/tamrel" ] || fail "/usr/bin/tamrel is not executable"
zcat "$ROOT/usr/share/man/man1/tamrel.1.gz" | cmp -s - docs/tamrel.1 ||
  fail "the installed manual page is not docs/tamrel.1"
[ "$(dpkg-deb -f "$DEB" Package)" = tamrel ] || fail "package name"
[ "$(dpkg-deb -f "$DEB" Maintainer)" = "The Tamrel developers <support@tamrel.org>" ] ||
  fail "maintainer: $(dpkg-deb -f "$DEB" Maintainer)"
[ "$(dpkg-deb -f "$DEB" Homepage)" = "https://www.tamrel.org" ] || fail "homepage"
# The tool links the C and C++ libraries; a package that does not depend on
# them would install where it cannot run.
depends=$(dpkg-deb -f "$DEB" Depends)
for library in libc6 libstdc++6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
ok "package fields; depends: $depends"

status=0
"$ROOT/usr/bin/tamrel" --help >"$WORK/help.txt" 2>&1 || status=$?
if [ $status -eq 0 ] && grep -q extract "$WORK/help.txt"; then
  ok "installed tamrel --help"
else
  fail "installed tamrel --help exited $status"
fi
extract_in_copy "installed tamrel" "$WORK/deb-run" "$ROOT/usr/bin/tamrel"

echo "-- manual page"
for page in docs/tamrel.1 "$ROOT/usr/share/man/man1/tamrel.1.gz"; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null || echo "man failed")
  [ -z "$warnings" ] || fail "man warns on $page: $warnings"
done
MANWIDTH=80 man -l docs/tamrel.1 2>/dev/null >"$WORK/man.txt"
for section in NAME SYNOPSIS DESCRIPTION COMMANDS OPTIONS FILES "EXIT STATUS" EXAMPLES "SEE ALSO"; do
  grep -q "^$section\$" "$WORK/man.txt" || fail "the manual page lacks the section $section"
done
for word in --style --pages --output-dir --classic --help --version "bibtex(1)" "bibtool(1)" \
    _extract_items.txt _extract_modified.bib _extract_bibitems.tex _compare.log \
    _compare_missing.bib _compare_equal.bib _clean_of_doubles.bib _clean_of_doubles.log; do
  grep -q -F -- "$word" "$WORK/man.txt" || fail "the manual page does not mention $word"
done
ok "manual page renders; sections, options and outputs present"

echo "-- bash completion"
# Completes the words given (the last one being completed) in a folder of
# sample files; prints the offers sorted on one line.
complete_words() {
  (cd "$WORK/completion" && bash -c '
    source "$0"
    complete -p tamrel >/dev/null || { echo "not registered"; exit; }
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _tamrel
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' \
    "$ROOT/usr/share/bash-completion/completions/tamrel" "$@")
}
mkdir -p "$WORK/completion/sub"
touch "$WORK/completion/"{paper.tex,paper.aux,refs.bib,old.BIB,notes.txt}
check_completion() {  # expected words...
  local expected=$1 got
  shift
  got=$(complete_words "$@")
  if [ "$got" = "$expected " ]; then
    ok "complete '$*' -> $expected"
  else
    fail "complete '$*': expected '$expected', got '$got'"
  fi
}
check_completion "--help --version clean compare extract" tamrel ""
check_completion "compare" tamrel co
check_completion "paper.aux paper.tex sub" tamrel extract ""
check_completion "old.BIB refs.bib sub" tamrel extract paper.tex ""
check_completion "old.BIB refs.bib sub" tamrel compare refs.bib ""
check_completion "old.BIB refs.bib sub" tamrel clean ""
check_completion "" tamrel clean refs.bib ""
check_completion "acs aps iop" tamrel extract paper.tex --style ""
check_completion "acs aps" tamrel extract paper.tex --style = a
check_completion "--style=iop" tamrel extract --style=i
check_completion "first range" tamrel extract --pages ""
check_completion "sub" tamrel extract -o ""
check_completion "old.BIB refs.bib sub" tamrel extract --style aps --pages = range paper.tex ""
check_completion "--classic --output-dir --pages --style -o" tamrel extract paper.tex -
check_completion "--classic --output-dir -o" tamrel compare -

echo "-- Windows zip"
unzip -q "$ZIP" -d "$WORK/zip"
ZIPDIR=$(find "$WORK/zip" -mindepth 1 -maxdepth 1 -type d)
for file in Tamrel.exe cli/tamrel.exe README.md LICENSE.txt; do
  [ -f "$ZIPDIR/$file" ] || fail "the zip lacks $file"
done
# The two programs' names differ only in letter case: each must be itself.
subsystem() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^Subsystem.*(\(.*\))/\1/p'; }
[ "$(subsystem "$ZIPDIR/Tamrel.exe")" = "Windows GUI" ] || fail "Tamrel.exe in the zip is not the window program"
[ "$(subsystem "$ZIPDIR/cli/tamrel.exe")" = "Windows CUI" ] || fail "tamrel.exe in the zip is not the console tool"
cmp -s "$ZIPDIR/LICENSE.txt" LICENSE || fail "the zip's LICENSE.txt is not LICENSE"

# A fresh prefix: the installer must work on a system that never saw Tamrel.
# shellcheck source=scripts/wine_env.sh
source "$SRC/scripts/wine_env.sh"
mkdir -p "$WORK/wine"
wine_env "$WORK/wine"
# Wine would otherwise copy the Start-menu shortcut into this machine's menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
extract_in_copy "zip's tamrel.exe under Wine" "$WORK/wine-run" wine "$ZIPDIR/cli/tamrel.exe"
wineserver -w || true

echo "-- Windows installer"
BEFORE=$FAILURES
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamrel'
status=0
wine "$SETUP" /S || status=$?
wineserver -w || true
[ $status -eq 0 ] || fail "the installer exited $status"
USERDIR=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
INSTDIR="$USERDIR/AppData/Local/Programs/Tamrel"
SHORTCUT="$USERDIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tamrel.lnk"
for file in Tamrel.exe cli/tamrel.exe README.md LICENSE.txt; do
  cmp -s "$ZIPDIR/$file" "$INSTDIR/$file" || fail "installed $file is not the zip's"
done
[ -f "$INSTDIR/Uninstall.exe" ] || fail "no uninstaller in $INSTDIR"
if [ -f "$SHORTCUT" ] && grep -a -q -F 'Programs\Tamrel\Tamrel.exe' "$SHORTCUT"; then
  ok "Start-menu shortcut to Tamrel.exe"
else
  fail "no Start-menu shortcut to the installed Tamrel.exe"
fi
wine reg query "$UNINSTALL_KEY" >"$WORK/key.txt" 2>&1 || fail "no uninstall entry under HKCU"
grep -q 'DisplayName.*Tamrel' "$WORK/key.txt" || fail "uninstall entry without its name"
# The registered command, as Windows' settings would run it.
UNINSTALLER=$(sed -n 's/^ *UninstallString *REG_SZ *"\(.*\)".*/\1/p' "$WORK/key.txt" | tr -d '\r')
[ -n "$UNINSTALLER" ] || fail "uninstall entry without its command"
# Installing for the user alone touches nothing of the machine's.
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamrel' >/dev/null 2>&1; then
  fail "the installer wrote an uninstall entry for all users"
fi
wineserver -w || true
[ $FAILURES -ne $BEFORE ] || ok "silent install into $(basename "$USERDIR")'s AppData"

GUI="$INSTDIR/Tamrel.exe"
INSTDIR_WIN=${UNINSTALLER%\\*}
export GUI UNINSTALLER INSTDIR_WIN SETUP
# Under Xvfb: the installed program shows its window; an uninstall while it
# runs (run in place, so that its exit status reaches us) and a new install
# over it must refuse and keep everything; then the window is closed as a
# user would, with Alt+F4.
# shellcheck disable=SC2016  # the inner script expands its own variables
if ! timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wine "$GUI" >/dev/null 2>&1 &
    app=$!
    window=""
    for _ in $(seq 1 60); do
      window=$(xdotool search --name "^Tamrel " 2>/dev/null | head -n 1) && [ -n "$window" ] && break
      sleep 0.5
    done
    [ -n "$window" ] || { echo "no window titled Tamrel appeared"; exit 1; }
    echo "window: $(xdotool getwindowname "$window")"
    status=0
    wine "$UNINSTALLER" /S "_?=$INSTDIR_WIN" || status=$?
    echo "uninstall while running: exit $status"
    [ -f "$GUI" ] || { echo "the uninstaller removed the running program"; exit 1; }
    [ $status -ne 0 ] || { echo "the uninstaller reported success while Tamrel ran"; exit 1; }
    status=0
    wine "$SETUP" /S || status=$?
    echo "install again while running: exit $status"
    [ $status -ne 0 ] || { echo "the installer reported success while Tamrel ran"; exit 1; }
    xdotool windowfocus --sync "$window" key alt+F4
    for _ in $(seq 1 20); do kill -0 $app 2>/dev/null || break; sleep 0.5; done
    if kill -0 $app 2>/dev/null; then echo "Tamrel.exe did not close on Alt+F4"; exit 1; fi
    wineserver -w' >"$WORK/window.log" 2>&1; then
  cat "$WORK/window.log"
  fail "the installed Tamrel.exe under Xvfb"
else
  sed 's/^/   /' "$WORK/window.log"
  ok "installed Tamrel.exe showed its window and closed; uninstall and install refused while it ran"
fi
wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || fail "the refused uninstall removed the uninstall entry"
cmp -s "$ZIPDIR/Tamrel.exe" "$INSTDIR/Tamrel.exe" || fail "the refused install or uninstall changed Tamrel.exe"

BEFORE=$FAILURES
status=0
wine "$UNINSTALLER" /S || status=$?
# The uninstaller runs on from a copy of itself: wait for it to end.
wineserver -w || true
[ $status -eq 0 ] || fail "the uninstaller exited $status"
[ ! -e "$INSTDIR" ] || fail "the uninstaller left $(find "$INSTDIR" | tr '\n' ' ')"
[ ! -e "$SHORTCUT" ] || fail "the uninstaller left the Start-menu shortcut"
if wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1; then
  fail "the uninstaller left the uninstall entry"
fi
wineserver -w || true
[ $FAILURES -ne $BEFORE ] || ok "silent uninstall left nothing behind"

if [ $FAILURES -ne 0 ]; then
  echo "Package tests: $FAILURES failure(s)"
  exit 1
fi
echo "Package tests passed."
