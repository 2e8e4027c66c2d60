#!/usr/bin/env bash
# Installs the Debian packages that are missing for the given needs:
#   build    compiler, CMake and GoogleTest
#   latex    pdflatex and bibtex, to check that the bibitem file compiles;
#            the journals' BibTeX styles (apsrev4-2, iopart-num, JAmChemSoc,
#            naturemag, rsc) and pdftotext, for the style comparison; and the
#            packages the generated documents use (natbib, biblatex, subfiles,
#            import, listings, fancyvrb)
#   windows  MinGW-w64 cross compiler, Wine, Xvfb and screenshot tools
#   fuzz     clang with libFuzzer and the sanitizer runtimes
#   package  what the release packages and their tests need: NSIS, the
#            Debian tools (dpkg-shlibdeps reads the libraries with file),
#            man and unzip
#   web      Emscripten, to build the web page; Chromium, its driver and
#            Selenium, to test it in a real browser
set -euo pipefail

packages=()
for need in "$@"; do
  case "$need" in
    build) packages+=(cmake make g++ libgtest-dev python3) ;;
    latex) packages+=(texlive-latex-base texlive-latex-recommended texlive-latex-extra texlive-publishers texlive-bibtex-extra poppler-utils) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth xdotool imagemagick) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    package) packages+=(nsis dpkg-dev file man-db unzip) ;;
    web) packages+=(emscripten chromium chromium-driver python3-selenium) ;;
    *) echo "install-deps: unknown need '$need'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
