#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows build, and runs every test:
# the core's unit tests with sanitizers, bounded fuzz runs, the data checks, and under Wine the
# core and window tests, the whole-program scenarios and the benchmarks' smoke runs.
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$KF_ROOT"

kf_install_packages || { echo "package installation failed"; exit 1; }

status=0
echo "=== native build ==="
if cmake --preset native >/dev/null && cmake --build --preset native; then
  ctest --preset native -j2 || status=1
else
  echo "native build failed"; status=1
fi

echo "=== Windows build ==="
if cmake --preset windows >/dev/null && cmake --build --preset windows; then
  kf_wine_up "$KF_ROOT/build/windows"
  trap kf_wine_down EXIT
  # The benchmarks (keystroke cost; screens built with 20,000-word lists; History.csv and the
  # report over a large history; Keys.csv, the key section, the keyboard page and a practice text
  # over a large key history; a course lesson from the shipped word lists) measure and print;
  # their figures are information, not a verdict.
  for name in keystroke screen history keys course; do
    bench="$KF_ROOT/build/windows/bench/${name}_bench.exe"
    if [ -f "$bench" ]; then
      wine "$bench" >"$KF_ROOT/build/windows/${name}-bench.txt" 2>&1 </dev/null
      echo "--- $name benchmark ---"
      cat "$KF_ROOT/build/windows/${name}-bench.txt"
    fi
  done
  echo "--- program sizes ---"
  python3 "$KF_ROOT/tools/check_programs.py" "$KF_ROOT/build/windows"
  ctest --preset windows || status=1
else
  echo "Windows build failed"; status=1
fi

exit $status
