#!/usr/bin/env bash
# Checks the sources (scripts/check-sources.sh), builds both architectures and their packages, and
# runs every test under Wine: the x64 suite, then the x86 suite as on 32-bit Windows and under WoW64
# (skipped where this machine cannot run 32-bit code), the packages and the benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/check-sources.sh

jobs=$(nproc)
cmake --preset x86 >/dev/null
cmake --build --preset x86 -j "$jobs"
cmake --build --preset x86 --target package
cmake --preset x64 >/dev/null
cmake --build --preset x64 -j "$jobs"
cmake --build --preset x64 --target package

source scripts/wine-env.sh
trap wine_env_cleanup EXIT
wine_env_init test
# Tests always get a display of their own, so that they never draw on the user's screen.
wine_display 1
wine_locales
wine_server_up
# The desktop stays open between the suites, as on Windows (tests/fixtures/desktop_pin.cpp); wineserver -k ends it.
wine build/x64/bin/fixtures/desktop_pin.exe >/dev/null 2>&1 &
# The display's scale as a new prefix has it, whatever a killed run left: a row sets it and puts it back.
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true

scripts/runs-32bit.sh || echo "The x86 runs are skipped: this machine cannot run 32-bit code."
ctest --preset x64 "$@"
