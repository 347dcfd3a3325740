#!/usr/bin/env bash
# Every test of the project: the native unit tests on the in-memory Windows, and the same
# tests cross-built for Windows and run under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/ensure-packages.sh
ensure_packages

step() { printf '\n== %s\n' "$*"; }
summaries=()
run_ctest() {
  local log
  log=$(mktemp)
  set +e
  ctest "$@" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  set -e
  summaries+=("$(grep -E 'tests passed, [0-9]+ tests? failed out of' "$log" | tail -1)")
  rm -f "$log"
  return "$status"
}

step "Layering: only src/win32 talks to Windows"
offenders=$(grep -rlE '#\s*include\s*[<"](windows|winreg|winuser|winsvc|commdlg|shellapi|dwmapi)\.h' \
  src --include='*.h' --include='*.cpp' | grep -v '^src/win32/' || true)
if [ -n "$offenders" ]; then
  echo "These core files include a Windows header: $offenders"
  exit 1
fi
echo "ok"

step "Formatting"
git ls-files -co --exclude-standard 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'tools/*.cpp' 'tools/*.h' 'bench/*.cpp' 'bench/*.h' | xargs -r clang-format --dry-run --Werror
echo "ok"

step "Native build and unit tests"
cmake --preset linux >/dev/null
cmake --build --preset linux
run_ctest --preset linux -j2

step "Native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzzer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
run_ctest --preset sanitize -j2

step "Windows build, tests under Wine"
cmake --preset mingw >/dev/null
cmake --build --preset mingw
cmake --build --preset mingw --target package  # the release zip, whose contents a test checks
source scripts/wine-env.sh
prefixes=()
for dpi in 120 144 192 96; do  # the 96 DPI one last: it stays the current prefix
  ombrel_wine_prefix "$PWD/build/wine/prefix-$dpi" "$dpi"
  prefixes+=("$WINEPREFIX")
done
ombrel_start_display
trap 'ombrel_end_wine_sessions "${prefixes[@]}"; ombrel_stop_display' EXIT
for prefix in "${prefixes[@]}"; do
  ombrel_wine_session "$prefix"
done
run_ctest --preset mingw -E '^e2e_'

step "End to end: Ombrel.exe used as a person would"
# A fresh prefix for every run, and a display of its own: nothing left by the tests above.
ombrel_end_wine_sessions "${prefixes[@]}"
ombrel_stop_display
rm -rf build/wine/prefix-e2e build/e2e-screenshots
# The new display first: the prefix is made on it, never on the one just stopped.
unset DISPLAY
ombrel_start_display
ombrel_wine_prefix "$PWD/build/wine/prefix-e2e"
prefixes=("$WINEPREFIX")
ombrel_wine_session "$WINEPREFIX"
e2e_start=$(date +%s)
run_ctest --preset mingw -R '^e2e_'
echo "end-to-end suite: $(( $(date +%s) - e2e_start )) s"
grep -h '\[ measure' build/mingw/Testing/Temporary/LastTest.log || true
for bmp in build/e2e-screenshots/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done

passed=0 failed=0
for line in "${summaries[@]}"; do
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done
echo
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
