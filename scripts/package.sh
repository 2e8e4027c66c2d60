#!/usr/bin/env bash
# Makes the release packages in dist/:
#   tamrel_VERSION_ARCH.deb    the command-line tool for Debian, with its
#                              manual page and bash completion (cpack, DEB)
#   Tamrel-VERSION-win64.zip   Tamrel.exe, cli/tamrel.exe, README.md and
#                              LICENSE.txt (cpack, ZIP, from the MinGW build)
#   Tamrel-VERSION-setup.exe   the Windows installer, holding the same files
#                              as the zip (makensis, packaging/tamrel.nsi)
#
# The Linux build goes to build-pkg and the cross build to build-win-pkg.
# To package builds that exist already, name them:
#   TAMREL_LINUX_BUILD=build TAMREL_WIN_BUILD=build-win bash scripts/package.sh
# (a folder that is not yet configured is configured for a release build).
# TAMREL_DIST names another output folder.
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
cd "$SRC"
bash scripts/install-deps.sh build windows package

LINUX_BUILD=${TAMREL_LINUX_BUILD:-$SRC/build-pkg}
WIN_BUILD=${TAMREL_WIN_BUILD:-$SRC/build-win-pkg}
DIST=${TAMREL_DIST:-$SRC/dist}
mkdir -p "$DIST"
DIST=$(cd "$DIST" && pwd)
# cpack's own work folders and the installer's file tree; removed at the end.
WORK="$DIST/.work"
rm -rf "$WORK"
trap 'rm -rf "$WORK"' EXIT

# Configures a folder not configured yet for a release build; a folder
# configured before keeps its options and is only brought up to date, so
# that it picks up the install rules.
configure() {  # folder [cmake options...]
  local dir=$1
  shift
  if [ -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$SRC" -B "$dir" >/dev/null
  else
    cmake -S "$SRC" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTAMREL_TESTS=OFF "$@" >/dev/null
  fi
}

echo "-- Debian package (build in $LINUX_BUILD)"
configure "$LINUX_BUILD"
cmake --build "$LINUX_BUILD" -j2 --target tamrel tamrel_man
cpack --config "$LINUX_BUILD/CPackConfig.cmake" -B "$WORK/deb" >/dev/null
DEB=$(find "$WORK/deb" -maxdepth 1 -name '*.deb')
[ -n "$DEB" ] || { echo "package: cpack wrote no .deb" >&2; exit 1; }

echo "-- Windows zip (cross build in $WIN_BUILD)"
configure "$WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$SRC/cmake/mingw-w64.cmake"
cmake --build "$WIN_BUILD" -j2 --target tamrel tamrel_gui
cpack --config "$WIN_BUILD/CPackConfig.cmake" -B "$WORK/zip" >/dev/null
ZIP=$(find "$WORK/zip" -maxdepth 1 -name '*.zip')
[ -n "$ZIP" ] || { echo "package: cpack wrote no .zip" >&2; exit 1; }

echo "-- Windows installer"
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WIN_BUILD/CMakeCache.txt")
# Windows wants four numbers in the installer's version resource.
IFS=. read -r major minor patch tweak <<<"$VERSION"
VERSION4="${major:-0}.${minor:-0}.${patch:-0}.${tweak:-0}"
# The installer takes its files from the zip, so both hold the same bytes.
unzip -q "$ZIP" -d "$WORK/stage"
STAGE=$(find "$WORK/stage" -mindepth 1 -maxdepth 1 -type d)
SETUP="$WORK/Tamrel-$VERSION-setup.exe"
makensis -V2 -DVERSION="$VERSION" -DVERSION4="$VERSION4" -DSTAGE="$STAGE" \
  -DICON="$SRC/resources/tamrel.ico" -DOUTFILE="$SETUP" "$SRC/packaging/tamrel.nsi"

for package in "$DEB" "$ZIP" "$SETUP"; do
  mv -f "$package" "$DIST/"
  echo "$DIST/$(basename "$package")"
done
