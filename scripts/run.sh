#!/usr/bin/env bash
# Builds Dozewell and runs it under Wine, passing the switch through:
#   scripts/run.sh [--x86 | --wow64] [--dpi N] [--unicode] [--lang LOCALE] [:settings | :lock]
# By default the x64 build runs on 64-bit Windows. --x86 runs the 32-bit build as on 32-bit Windows
# (a prefix of its own); --wow64 runs it as on 64-bit Windows, beside the x64 screen saver. Both need a
# machine that runs 32-bit code. --dpi runs at a display scale of N dots an inch (96 is 100%, 144 is
# 150%), as Windows does for a program that declares itself aware of it; the prefix's own scale is put
# back afterwards. --unicode puts a second Drift beside the first, named and described in scripts that no
# one ANSI code page holds. --lang runs Dozewell in the display language of a locale, such as de_DE or
# ja_JP, as Windows in that language would (a locale made for the purpose in build/locales).
# The Wine prefix has Dozewell's own screen saver in the system directory, made the default when none
# is configured, so that Dozewell has a screen saver to list, preview and start.
# Without a display it runs on a virtual one, saves a screenshot of what Dozewell showed in
# build/screenshot.png, and then closes its windows.
set -euo pipefail
cd "$(dirname "$0")/.."

build=x64 windows=win64 dpi='' unicode='' lang=''
while (($#)); do
    case "$1" in
        --x86) build=x86 windows=win32 ;;
        --wow64) build=x86 ;;
        --dpi) dpi=${2:?--dpi needs a number of dots an inch}; shift ;;
        --unicode) unicode=dozewell-drift-雪-Śnieg.scr ;;
        --lang) lang=${2:?--lang needs a locale, such as de_DE}; lang=${lang%.UTF-8}; shift ;;
        *) break ;;
    esac
    shift
done
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
    cmake --build --preset $arch -j "$(nproc)" --target dozewell dozewell_drift ${unicode:+dozewell_drift_unicode}
done

source scripts/wine-env.sh
desktop='HKCU\Control Panel\Desktop'
scaled=0 scale=''
# The prefix's own display scale again, before the Wine server goes.
finish() {
    if ((scaled)); then
        if [[ -n "$scale" ]]; then
            wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$scale" /f >/dev/null
        else
            wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
        fi
    fi
    wine_env_cleanup
}
trap finish EXIT
wine_env_init run $windows
headless=0
[[ -n "${DISPLAY:-}" ]] || headless=1
wine_display
wine_server_up

# Each program reads the scale as it starts, and Wine's desktop keeps the one it started with: it is set
# before anything opens a window.
if [[ -n "$dpi" ]]; then
    scale=$({ wine reg query "$desktop" /v LogPixels 2>/dev/null || true; } | tr -d '\r' |
            sed -n 's/^ *LogPixels *REG_DWORD *//p')
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    scaled=1
fi

# Our screen saver in the system directory, and the default unless one is set that exists.
drift='C:\windows\system32\dozewell-drift.scr'
cp build/$saver/bin/dozewell-drift.scr "$(winepath -u "$drift")"
[[ -z "$unicode" ]] || cp "build/$saver/bin/$unicode" "$(winepath -u 'C:\windows\system32')/"
default=$({ wine reg query "$desktop" /v SCRNSAVE.EXE 2>/dev/null || true; } | tr -d '\r' |
          sed -n 's/^ *SCRNSAVE\.EXE *REG_SZ *//p')
if [[ -z "$default" || ! -f "$(winepath -u "$default" 2>/dev/null)" ]]; then
    wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d "$drift" /f >/dev/null
    echo "Default screen saver: $drift"
fi

# Wine takes the display language from the locale that a program starts in.
if [[ -n "$lang" ]]; then
    wine_locales "$lang"
    export LC_ALL=$lang.UTF-8
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
