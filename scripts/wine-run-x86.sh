#!/usr/bin/env bash
# Runs a 32-bit test program under Wine: win32, as on 32-bit Windows, in a prefix of its own; win64,
# as on 64-bit Windows under WoW64, in the x64 run's prefix. Exit 77 (skipped) where this machine
# cannot run 32-bit code.
#   wine-run-x86.sh win32|win64 <program.exe> [arguments...]
set -euo pipefail
windows=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
if ! "$root/scripts/runs-32bit.sh"; then
    echo "skipped: this machine cannot run 32-bit code"
    exit 77
fi
loader=/usr/lib/wine/wine  # wine32's, which runs the program itself in either prefix
[[ -x $loader ]] || { echo "wine32 is missing: run scripts/setup.sh"; exit 1; }
source "$root/scripts/wine-env.sh"
if [[ "$windows" == win32 ]]; then
    wine_env_init test win32
    trap 'wineserver -k 2>/dev/null || true' EXIT
    wine_server_up
else
    wine_env_init test
fi
"$loader" "$@"
