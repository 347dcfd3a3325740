#!/usr/bin/env bash
# Builds Ombrel.exe and runs it under Wine with Chinese captions: on your display if you have
# one, otherwise on a virtual display with a short scripted demonstration whose screenshots
# land in build/screenshots.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/ensure-packages.sh
ensure_packages
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Ombrel OmbrelDemo

source scripts/wine-env.sh
ombrel_wine_prefix "$PWD/build/wine/prefix-run"
exe="Z:$(pwd | tr / '\\')\\build\\mingw\\src\\win32\\Ombrel.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Ombrel runs in a Wine desktop window; its exit button (退出) ends it."
  exec wine "$exe"
fi

ombrel_start_display
trap 'wineserver -k 2>/dev/null || true; ombrel_stop_display' EXIT
rm -rf build/screenshots
mkdir -p build/screenshots
status=0
wine build/mingw/tools/demo/OmbrelDemo.exe "$exe" "Z:$(pwd | tr / '\\')\\build\\screenshots" || status=$?
for bmp in build/screenshots/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $(ls build/screenshots | tr '\n' ' ')"
exit "$status"
