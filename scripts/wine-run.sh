#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, quietly and without the
# Mono and Gecko installers that a new prefix would otherwise offer.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/build/wine/prefix-96}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
