#!/usr/bin/env bash
# Builds Ombrel and shows it at work. Until the Windows program exists this drives the
# desktop engine on the in-memory desktop and prints what happens.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/ensure-packages.sh
ensure_packages
cmake --preset linux >/dev/null
cmake --build --preset linux --target ombrel_engine_demo
./build/linux/tools/engine-demo/ombrel_engine_demo
