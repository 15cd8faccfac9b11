#!/usr/bin/env bash
# Builds Dozewell and runs it under Wine, passing the switch through:
#   scripts/run.sh [--x86 | --wow64] [:settings | :lock]
# By default the x64 build runs on 64-bit Windows. --x86 runs the 32-bit build as on 32-bit Windows
# (a prefix of its own); --wow64 runs it as on 64-bit Windows, beside the x64 screen saver. Both need a
# machine that runs 32-bit code.
# The Wine prefix has Dozewell's own screen saver in the system directory, made the default when none
# is configured, so that Dozewell has a screen saver to list, preview and start.
# Without a display it runs on a virtual one, saves a screenshot of what Dozewell showed in
# build/screenshot.png, and then closes its windows.
set -euo pipefail
cd "$(dirname "$0")/.."

build=x64 windows=win64
case "${1:-}" in
    --x86) build=x86 windows=win32; shift ;;
    --wow64) build=x86; shift ;;
esac
if [[ $build == x86 ]] && ! scripts/runs-32bit.sh; then
    echo "This machine cannot run 32-bit code, so it cannot run the x86 build." >&2
    exit 1
fi

scripts/setup.sh

# The screen saver in the system directory is of the Windows that the prefix is.
saver=x64
[[ $windows == win32 ]] && saver=x86
for arch in $build $saver; do
    cmake --preset $arch >/dev/null
    cmake --build --preset $arch -j "$(nproc)" --target dozewell dozewell_drift
done

source scripts/wine-env.sh
trap wine_env_cleanup EXIT
wine_env_init run $windows
headless=0
[[ -n "${DISPLAY:-}" ]] || headless=1
wine_display
wine_server_up

# Our screen saver in the system directory, and the default unless one is set that exists.
drift='C:\windows\system32\dozewell-drift.scr'
cp build/$saver/bin/dozewell-drift.scr "$(winepath -u "$drift")"
desktop='HKCU\Control Panel\Desktop'
default=$({ wine reg query "$desktop" /v SCRNSAVE.EXE 2>/dev/null || true; } | tr -d '\r' |
          sed -n 's/^ *SCRNSAVE\.EXE *REG_SZ *//p')
if [[ -z "$default" || ! -f "$(winepath -u "$default" 2>/dev/null)" ]]; then
    wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d "$drift" /f >/dev/null
    echo "Default screen saver: $drift"
fi

exe=build/$build/bin/dozewell.exe
if ((headless == 0)); then
    wine "$exe" "$@"
    exit 0
fi

wine "$exe" "$@" >/dev/null 2>&1 &
pid=$!
# Wait for the first window, then give it a moment to draw.
for _ in $(seq 50); do
    xdotool search --onlyvisible --name . >/dev/null 2>&1 && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
sleep 1.5
import -window root build/screenshot.png
echo "Screenshot of what Dozewell showed: build/screenshot.png"
wineserver -k 2>/dev/null || true
wait "$pid" 2>/dev/null || true
