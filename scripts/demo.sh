#!/usr/bin/env bash
# The demo: Kaleidra as Windows would run it. Builds the 32-bit program, lays out a Kaleidra
# folder (Kaleidra.scr, three demo savers, the demo Kaleidra.cfg) in build/demo, switches
# rotation on (a new saver every minute) and starts "Kaleidra.scr /s" under Wine.
#   With a display: watch it; a key, a click or a mouse move ends it.
#   Without one: it runs under Xvfb, saves a screenshot of each saver that ran in
#   build/demo/shots/ and prints which ones ran.
# Either way it ends by itself after --seconds N (default 200).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=200
while (($#)); do
  case $1 in
    --seconds) seconds=$2; shift ;;
    *) echo "usage: scripts/demo.sh [--seconds N]" >&2; exit 2 ;;
  esac
  shift
done

[[ -n ${KD_DEPS_INSTALLED:-} ]] || bash scripts/install-deps.sh
export KD_DEPS_INSTALLED=1
headless=no
if [[ -z ${DISPLAY:-} ]]; then
  headless=yes
  export KALEIDRA_DEMO_HEADLESS=1
  exec scripts/with-display "$0" --seconds "$seconds"
fi
[[ ${KALEIDRA_DEMO_HEADLESS:-} == 1 ]] && headless=yes

echo "== building Kaleidra.scr and the demo savers (32-bit)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target Kaleidra Lissajous Plasma Bubbles >/dev/null

demo=$root/build/demo
folder=$demo/Kaleidra
shots=$demo/shots
log=$demo/savers.log
rm -rf "$folder" "$shots" "$log"
mkdir -p "$folder" "$shots"
cp build/mingw-i686/app/Kaleidra.scr build/mingw-i686/demo/{Lissajous,Plasma,Bubbles}.scr "$folder/"
windows_folder="Z:${folder//\//\\}"
sed "s|@KD_DEMO_DIR@|${windows_folder//\\/\\\\}|g" demo/Kaleidra.cfg.in >"$folder/Kaleidra.cfg"

export WINEPREFIX=$demo/wineprefix WINEDEBUG=-all KALEIDRA_DEMO_LOG="Z:${log//\//\\}"
scripts/wine-prefix "$WINEPREFIX"
wine reg add 'HKCU\Software\Tessaly\Kaleidra' /v SaverChangeOnStartup /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tessaly\Kaleidra' /v SaverChangeAfterMinutes /t REG_DWORD /d 1 /f >/dev/null 2>&1

echo "== the collection, as Kaleidra reads it"
[[ -f build/native/build.ninja ]] || cmake --preset native >/dev/null
cmake --build --preset native --target kaleidra-cfg >/dev/null
build/native/tools/kaleidra-cfg show "$folder/Kaleidra.cfg"
build/native/tools/kaleidra-cfg odds "$folder/Kaleidra.cfg"

echo "== starting Kaleidra.scr /s in $folder"
echo "   rotation: a new saver every minute; ends by itself after $seconds s"
[[ $headless == no ]] && echo "   press a key, click or move the mouse to end it"
(cd "$folder" && exec wine Kaleidra.scr /s) &
wine_pid=$!

# Watch the savers' log: each start gets a screenshot a few seconds in.
seen=0
deadline=$((SECONDS + seconds))
while kill -0 $wine_pid 2>/dev/null && ((SECONDS < deadline)); do
  sleep 1
  [[ -f $log ]] || continue
  mapfile -t starts < <(grep ' started ' "$log" || true)
  while ((seen < ${#starts[@]})); do
    name=${starts[$seen]%% *}
    seen=$((seen + 1))
    echo "   $(date +%T) $name started"
    if [[ $headless == yes ]]; then
      sleep 4
      import -window root "$shots/$seen-$name.png" 2>/dev/null && echo "   screenshot: $shots/$seen-$name.png"
    fi
  done
done

if kill -0 $wine_pid 2>/dev/null; then
  echo "== time is up: ending the run"
  # As the user would: a key press ends the running saver, and Kaleidra with it.
  xdotool key space 2>/dev/null || true
  sleep 5
fi
# Whatever still runs in the demo's own prefix ends with its server.
wineserver -k 2>/dev/null || true
wait $wine_pid 2>/dev/null || true

echo "== savers that ran"
if [[ -f $log ]]; then
  grep ' started ' "$log" | awk '{print $1}' | sort | uniq -c | awk '{printf "   %-10s %d turn(s)\n", $2, $1}'
else
  echo "   none"
fi
