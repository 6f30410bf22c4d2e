#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset and runs all four tiers.
#   1. the portable core natively, with AddressSanitizer and UBSan
#   2. the core and the Win32 units under Wine, 32-bit and 64-bit
#   3. the end-to-end tests of Kaleidra.scr under Wine + Xvfb (part of the Wine runs)
#   4. bounded fuzzing (native) and the benchmarks, which print figures
# Options: --quick skips fuzzing and benchmarks; --preset NAME runs one preset only.
set -uo pipefail
cd "$(dirname "$0")/.."

original_args=("$@")
quick=no
only=""
while (($#)); do
  case $1 in
    --quick) quick=yes ;;
    --preset)
      [[ $# -ge 2 ]] || { echo "test.sh: --preset needs a name" >&2; exit 2; }
      only=$2; shift ;;
    *) echo "usage: scripts/test.sh [--quick] [--preset native|mingw-i686|mingw-x86_64]" >&2; exit 2 ;;
  esac
  shift
done

[[ -n ${KD_DEPS_INSTALLED:-} ]] || bash scripts/install-deps.sh || exit 1
export KD_DEPS_INSTALLED=1
# Wine needs an X server to make windows: without a display, run everything under Xvfb.
if [[ -z ${DISPLAY:-} ]]; then
  exec scripts/with-display bash "$0" "${original_args[@]}"
fi

summary=()
failed=0
passed_total=0
failed_total=0

run_preset() {
  local preset=$1 label_args=()
  [[ $preset == native && $quick == yes ]] && label_args=(-LE fuzz)
  echo "=== $preset: configure and build"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
    summary+=("$preset: BUILD FAILED")
    failed=1
    return
  fi
  # Making a Wine prefix takes half a minute: do it here, not inside the first test's time.
  [[ $preset == mingw-* ]] && scripts/wine-prefix "build/$preset/wineprefix"
  echo "=== $preset: tests"
  local log
  log=$(mktemp)
  # Wine tests run one at a time: they share the display, the registry and the named lock.
  ctest --preset "$preset" -j1 "${label_args[@]}" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of' "$log" | tail -1)
  summary+=("$preset: ${line:-no ctest summary}")
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    failed_total=$((failed_total + BASH_REMATCH[1]))
    passed_total=$((passed_total + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
  ((status == 0)) || failed=1
  rm -f "$log"
}

# run_wine_benchmark EXE [ARGS...]: a benchmark of the 32-bit build under Wine. Wine's note that
# it cannot read the volume label of Z: (the folder tree asks every drive) is left out.
run_wine_benchmark() {
  local prefix=$PWD/build/mingw-i686/wineprefix scripts=$PWD/scripts
  (cd build/mingw-i686/tests/bench_win && "$scripts/wine-run" "$prefix" "$@") 2>&1 |
    { grep -v 'FS volume label and serial are not available' || true; }
}

run_benchmarks() {
  echo "=== benchmarks (figures only, no pass/fail)"
  cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null &&
    build/bench/tests/bench/bench_cfg --benchmark_min_time=0.2 || summary+=("bench: FAILED to run")
  # The settings window: start-up against an empty dialog, and what 1,000 adds and removes of a
  # saver leave behind (half a minute on an idle machine, more when other work runs).
  if [[ -f build/mingw-i686/tests/bench_win/bench_config_cycles.exe ]]; then
    run_wine_benchmark bench_config_start.exe --starts 9 || summary+=("bench_config_start: FAILED to run")
    run_wine_benchmark bench_config_cycles.exe --cycles 1000 || summary+=("bench_config_cycles: FAILED to run")
  else
    summary+=("settings window benchmarks: not built (mingw-i686)")
  fi
}

presets=(native mingw-i686 mingw-x86_64)
[[ -n $only ]] && presets=("$only")

for preset in "${presets[@]}"; do
  run_preset "$preset"
done
[[ $quick == no && -z $only ]] && run_benchmarks
echo
echo "=== summary"
printf '%s\n' "${summary[@]}"
echo "Total: $passed_total passed, $failed_total failed"
exit $failed
