# Sourced by the run and test scripts: a Wine prefix of our own inside the build folder, a display,
# and one Wine server for the whole session.
#   wine_env_init NAME   -> WINEPREFIX=build/x64/wine-NAME, created and configured on first use
#   wine_display         -> starts Xvfb when DISPLAY is unset (or when forced with 1)
#   wine_server_up       -> keeps one Wine server running until wine_env_cleanup

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko prompts; a stand-in control.exe in system32 wins over Wine's built-in one.
export WINEDLLOVERRIDES="mscoree,mshtml=;control.exe=n"

xvfb_pid=""

wine_env_init()
{
    export WINEPREFIX="$root/build/x64/wine-$1"
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        echo "Making the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        local reg="$WINEPREFIX/setup.reg"
        # No window manager under Xvfb: without this every closing window waits about 2 s.
        # No crash dialog. The .scr association that Windows has: open runs the module with /S.
        cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CLASSES_ROOT\.scr]
@="scrfile"

[HKEY_CLASSES_ROOT\scrfile\shell\open\command]
@="\"%1\" /S"
REG
        wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
        wineserver -w
    fi
}

wine_display()
{
    local force=${1:-0}
    if [[ -n "${DISPLAY:-}" && "$force" != 1 ]]; then
        return
    fi
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
}

wine_server_up()
{
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1 || true
}

wine_env_cleanup()
{
    wineserver -k 2>/dev/null || true
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
