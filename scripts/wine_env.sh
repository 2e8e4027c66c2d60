# Sourced by the scripts that run the Windows programs under Wine: sets up
# a private Wine prefix inside the cross build folder.
#   wine_env BUILD-FOLDER
# Windows are drawn by Wine itself in a 1024 x 768 virtual desktop: they get
# captions and frames without a window manager, and nothing waits on one.
# No Mono or Gecko is installed (nothing is downloaded).
wine_env() {
  export WINEPREFIX="$1/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/.tamrel-ready" ]; then
    echo "-- preparing the Wine prefix (slow the first time)"
    timeout 900 wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w || true
    touch "$WINEPREFIX/.tamrel-ready"
  fi
  # Caption buttons are drawn with the Marlett font; Debian's Wine ships it
  # but does not find it unless it stands in the prefix's Fonts folder.
  local marlett=/usr/share/wine/fonts/marlett.ttf
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f "$marlett" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp "$marlett" "$fonts/"
  fi
  # A server started without a display would also hold the desktop: let it
  # end before a program that shows windows runs under Xvfb.
  wineserver -w || true
}

# The Windows path of a Linux path: Wine maps the Linux root to drive Z:.
# (winepath would start the Wine server without a display.)
wine_path() {
  local path="$1"
  printf 'Z:%s' "${path//\//\\}"
}
