#!/usr/bin/env bash
# Screenshots for the documentation, under a private Xvfb: the settings window, one per page
# ("Kaleidra.scr /c" on the demo collection: docs/config-{savers,options,groups,about}.png),
# and the control gallery (docs/control-gallery.png).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
if [[ -z ${KD_SHOOT_DISPLAY:-} ]]; then
  export KD_SHOOT_DISPLAY=1
  exec scripts/with-display "$0" "$@"
fi

cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target Kaleidra Lissajous Plasma Bubbles control-gallery >/dev/null

work=$root/build/shots
folder=$work/Kaleidra
rm -rf "$folder"
mkdir -p "$folder"
cp build/mingw-i686/app/Kaleidra.scr build/mingw-i686/app/Kaleidra.txt \
  build/mingw-i686/demo/{Lissajous,Plasma,Bubbles}.scr "$folder/"
windows_folder="Z:${folder//\//\\}"
sed "s|@KD_DEMO_DIR@|${windows_folder//\\/\\\\}|g" demo/Kaleidra.cfg.in >"$folder/Kaleidra.cfg"

export WINEPREFIX=$work/wineprefix WINEDEBUG=-all
scripts/wine-prefix "$WINEPREFIX"
# No window manager runs here: Wine draws the title bars itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tessaly\Kaleidra' /v SaverChangeOnStartup /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tessaly\Kaleidra' /v SaverChangeAfterMinutes /t REG_DWORD /d 20 /f >/dev/null 2>&1

# Waits for the window of this title and reads its place and size (X, Y, WIDTH, HEIGHT).
find_window() {
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --name "^$1\$" 2>/dev/null | head -1) && [[ -n $window ]] && break
    sleep 0.2
  done
  [[ -n $window ]] || { echo "the window \"$1\" did not open" >&2; exit 1; }
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

(cd "$folder" && exec wine Kaleidra.scr /c) &
find_window "Kaleidra Settings"

# Clicks at a point of the window (its frame's coordinates).
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 1; }
# The window with its frame, as a user sees it.
shoot() {
  [[ -n ${KD_SHOOT_FULL:-} ]] && import -window root "$work/full-$1.png"
  xdotool mousemove 0 0
  sleep 0.5
  import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "docs/$1.png"
  echo "docs/$1.png"
}

click 360 118 # the Savers page: the demo group's second saver
shoot config-savers
click 160 42
shoot config-options
click 240 42
click 80 90 # the second group
shoot config-groups
click 330 42
shoot config-about
wineserver -k || true

(cd build/mingw-i686/tools && exec wine control-gallery.exe) &
find_window "Kaleidra control gallery"
click 573 276 # names in their own face
click 766 176 # open the font list
xdotool mousemove $((X + 620)) $((Y + 330))
sleep 1
# The client area only: this Wine has no Marlett font for the title bar's buttons.
import -window root -crop "$((WIDTH - 6))x$((HEIGHT - 25))+$((X + 3))+$((Y + 22))" +repage \
  docs/control-gallery.png
echo docs/control-gallery.png
wineserver -k || true
