#!/usr/bin/env bash
# bench-saver-run.sh [PRESET] [MINUTES]: what a running Kaleidra costs. Starts Kaleidra.scr /s
# under Wine with one fixture saver, then reads Kaleidra's own CPU time and resident memory
# from /proc once a minute; also prints the start-up comparison with a bare launcher and the
# size of each .scr. Figures only: nothing here passes or fails.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-mingw-i686}
minutes=${2:-1}
build=build/$preset
here=$PWD

[[ -n ${DISPLAY:-} ]] || exec scripts/with-display "$0" "$@"
cmake --build --preset "$preset" --target bench_saver_start >/dev/null
export WINEPREFIX=$here/$build/wineprefix WINEDEBUG=-all
scripts/wine-prefix "$WINEPREFIX"

echo "== $preset: sizes"
for scr in build/mingw-*/app/Kaleidra.scr; do
  [[ -f $scr ]] && printf '  %-40s %7d bytes (%d KiB)\n' "$scr" "$(stat -c %s "$scr")" $(($(stat -c %s "$scr") / 1024))
done

echo "== $preset: start-up"
(cd $build/tests/bench_win && wine bench_saver_start.exe --starts 9)

echo "== $preset: a running saver, $minutes minute(s)"
folder=$(mktemp -d /tmp/kaleidra-bench-XXXX)
trap 'pkill -f "Kaleidra.scr /s" || true; pkill -f "Saver.scr /s" || true; rm -rf "$folder"' EXIT
cp $build/app/Kaleidra.scr "$folder/"
cp $build/tests/bench_win/fx_click.exe "$folder/Saver.scr"
printf 'Version=2.0.0\r\n\r\n[Bench;On;1]\r\nZ:%s\\Saver.scr;3\r\n' "${folder//\//\\}" >"$folder/Kaleidra.cfg"
wine reg delete 'HKCU\Software\Tessaly\Kaleidra' /f >/dev/null 2>&1 || true
(cd "$folder" && wine Kaleidra.scr /s >/dev/null 2>&1 &)
for _ in $(seq 100); do
  pid=$(pgrep -f '^Kaleidra.scr /s' | head -1 || true)
  [[ -n $pid && -f $folder/Saver.log ]] && break
  sleep 0.1
done
[[ -n ${pid:-} ]] || { echo "Kaleidra did not start"; exit 1; }
sleep 2
ticks=$(getconf CLK_TCK)
cpu_ms() { awk -v t="$ticks" '{print ($14 + $15) * 1000 / t}' "/proc/$pid/stat"; }
rss_kib() { awk '/VmRSS/ {print $2}' "/proc/$pid/status"; }
last=$(cpu_ms)
for minute in $(seq "$minutes"); do
  sleep 60
  now=$(cpu_ms)
  printf '  minute %2d: Kaleidra CPU %5.0f ms, resident %6d KiB\n' "$minute" "$(echo "$now - $last" | bc)" "$(rss_kib)"
  last=$now
done
