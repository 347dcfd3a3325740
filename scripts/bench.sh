#!/usr/bin/env bash
# Every benchmark: the engine on the in-memory desktop (native), then Ombrel.exe under Wine
# beside the limit of its design. Prints the figures and writes them to docs/PERFORMANCE.md.
#   bash scripts/bench.sh [options for the Wine benchmarks, e.g. --runs 5 --idle-seconds 10]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/ensure-packages.sh
ensure_packages

out=docs/PERFORMANCE.md
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== Building"
cmake --preset linux >/dev/null
cmake --build --preset linux --target engine_benchmarks
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target ombrel_wine_benchmarks

echo "== The engine on the in-memory desktop"
build/linux/bench/engine_benchmarks --benchmark_min_time=0.2 --benchmark_format=csv \
  >"$work/engine.csv"
# name,iterations,real_time,cpu_time (ns),...,per_window (the last column, in seconds).
awk -F, 'NR > 1 {
    name = $1; gsub(/"/, "", name); split(name, part, "/");
    unit = $5; gsub(/"/, "", unit);
    micros = $4 * (unit == "ms" ? 1000 : unit == "us" ? 1 : 0.001);
    # The parses have no windows: no time per window.
    perWindow = $NF == "" ? "" : sprintf("%.1f ns", $NF * 1e9);
    printf "| %s | %s | %.1f µs | %s |\n", part[1], part[2], micros, perWindow
  }' "$work/engine.csv" >"$work/engine.md"
cat "$work/engine.md"

echo "== Ombrel.exe under Wine"
source scripts/wine-env.sh
rm -rf build/wine/prefix-bench
ombrel_wine_prefix "$PWD/build/wine/prefix-bench"
unset DISPLAY
ombrel_start_display
trap 'ombrel_end_wine_sessions "$WINEPREFIX"; ombrel_stop_display; rm -rf "$work"' EXIT
ombrel_wine_session "$WINEPREFIX"
# The Wine server answers the programs' calls; its CPU time is counted beside theirs.
server=""
for process in /proc/[0-9]*; do
  if [[ "$(cat "$process/comm" 2>/dev/null)" == wineserver* ]] &&
    tr '\0' '\n' 2>/dev/null <"$process/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; then
    server=${process#/proc/}
  fi
done
# The Windows program ends its lines with CR LF; the document keeps Linux ones.
wine build/mingw/bench/ombrel_wine_benchmarks.exe --wineserver-pid "${server:-0}" "$@" |
  tr -d '\r' | tee "$work/wine.md"

echo "== The executables"
for exe in build/mingw/src/win32/Ombrel.exe build/mingw/src/win32/OmbrelGuard.exe \
  build/mingw/bench/OmbrelBenchMinimal.exe; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }' | sort -f |
    paste -sd, - | sed 's/,/, /g')
  printf '| %s | %s KiB | %s |\n' "$(basename "$exe")" "$(( $(stat -c %s "$exe") / 1024 ))" "$dlls"
done >"$work/exe.md"
cat "$work/exe.md"

cpu=$(awk -F: '/model name/ { sub(/^ +/, "", $2); print $2; exit }' /proc/cpuinfo)
memory=$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)
{
  echo "# Performance"
  echo
  echo "Written by \`bash scripts/bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'). Figures are"
  echo "measured, never asserted: run the command again on your machine to compare."
  echo
  echo "Machine: ${cpu:-unknown CPU}, $(nproc) cores, $memory; $(uname -sr);"
  echo "$(wine --version 2>/dev/null || echo Wine) on Xvfb; $(g++ --version | head -1);"
  echo "$(x86_64-w64-mingw32-g++-posix --version | head -1)."
  echo
  echo "## The engine on the in-memory desktop"
  echo
  echo "Native build, Google Benchmark. \`CollectDesktopWindows\` is the once-a-second refresh;"
  echo "\`SwitchDesktop\` here is a switch from desktop 1 to 2 and back, so every window is hidden"
  echo "once and shown once. The time per window should not grow with the number of windows."
  echo
  echo "| benchmark | windows | CPU time per call | per window |"
  echo "|---|---:|---:|---:|"
  cat "$work/engine.md"
  echo
  echo "## Ombrel.exe under Wine"
  echo
  echo "The real program on a Wine desktop, with the windows of other programs in helper"
  echo "processes, each figure beside the limit of its design measured in the same run."
  echo
  cat "$work/wine.md"
  echo "### The executables"
  echo
  echo "Without their debug information, which goes to \`<name>.debug\` beside them. Other system"
  echo "libraries are loaded where a path first needs them."
  echo
  echo "| file | size | imported DLLs |"
  echo "|---|---:|---|"
  cat "$work/exe.md"
} >"$out"
echo "written: $out"
