# Sourced by the run and test scripts: a Wine prefix of our own inside the build folder, a display,
# and one Wine server for the whole session.
#   wine_env_init NAME [win32] -> WINEPREFIX=build/x64/wine-NAME (64-bit Windows), or with win32
#                                 build/x86/wine-NAME (32-bit Windows); made and configured on first
#                                 use, and made anew whenever the Wine installation changed
#   wine_display [1 [WxH]]     -> starts Xvfb when DISPLAY is unset (or when forced with 1), at that
#                                 size (1280x800 unless given)
#   wine_server_up             -> keeps one Wine server running until wine_env_cleanup
#   wine_locales [LOCALE...]   -> LOCPATH=build/locales, holding the locales given, or those that the tests
#                                 run in (tests/res/locales.txt), made on first use

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
# No Mono or Gecko prompts; a stand-in control.exe in system32 wins over Wine's built-in one.
export WINEDLLOVERRIDES="mscoree,mshtml=;control.exe=n"

xvfb_pid=""

wine_env_init()
{
    export WINEARCH=${2:-win64}
    local arch=x64
    [[ "$WINEARCH" == win32 ]] && arch=x86
    export WINEPREFIX="$root/build/$arch/wine-$1"
    # In a 64-bit prefix 'wine' is the 64-bit loader, which starts 32-bit programs too: its tools
    # (winepath, reg) then see the system directory as 64-bit Windows has it, not as SysWOW64, and it
    # runs where 32-bit code cannot (Debian's launcher takes the 32-bit loader whenever wine32 is there).
    local loaders="$root/build/wine-loader"
    PATH=${PATH//"$loaders:"/}
    if [[ "$WINEARCH" == win64 && -x /usr/lib/wine/wine64 ]]; then
        mkdir -p "$loaders"
        # Debian's wine64 has no preloader: it sits at a fixed address, and a recent kernel (6.18 here) starts its
        # heap anywhere in the 1 GB above it, where about one start in a thousand covers the address of Windows'
        # shared user data, and the process dies before its first line ("failed to map the shared user data").
        # Without address randomisation the heap starts just above the loader, well below it. Its children
        # inherit that.
        local norandom=""
        setarch -R true 2>/dev/null && norandom="setarch -R "
        # Scripts, not links: the loader finds its own files beside the path that it was run by.
        for name in wine wine-stable; do
            printf '#!/bin/sh\nexec %s/usr/lib/wine/wine64 "$@"\n' "$norandom" >"$loaders/$name"
            chmod +x "$loaders/$name"
        done
        PATH="$loaders:$PATH"
    fi
    # A prefix made by another Wine installation (wine32 added, say) fails for every program.
    local installation
    installation=$(dpkg-query -W 'wine*' 2>/dev/null | sort)
    if [[ -f "$WINEPREFIX/system.reg" && "$(cat "$WINEPREFIX/.installation" 2>/dev/null)" != "$installation" ]]; then
        echo "The Wine installation changed: making $WINEPREFIX anew"
        rm -rf "$WINEPREFIX"
    fi
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
        echo "$installation" >"$WINEPREFIX/.installation"
    fi
}

wine_display()
{
    local force=${1:-0} size=${2:-1280x800}
    if [[ -n "${DISPLAY:-}" && "$force" != 1 ]]; then
        return
    fi
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
}

# Wine takes its display language from the locale (LC_ALL, LANG) at each process start, and only from one that
# exists: these are made from Debian's locale sources, without root, into the build folder.
wine_locales()
{
    export LOCPATH="$root/build/locales"
    mkdir -p "$LOCPATH"
    local locales=("$@") locale
    ((${#locales[@]})) || mapfile -t locales <"$root/tests/res/locales.txt"
    for locale in "${locales[@]}"; do
        [[ -d "$LOCPATH/$locale.UTF-8" ]] && continue
        # localedef warns (and exits 1) over details of some sources while making a locale that works.
        localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8" >/dev/null 2>&1 || true
        [[ -d "$LOCPATH/$locale.UTF-8" ]] || { echo "No locale $locale: is Debian's 'locales' installed?" >&2; return 1; }
    done
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
