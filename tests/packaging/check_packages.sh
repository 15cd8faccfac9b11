#!/bin/sh
# The packages as users get them: both architectures' zip and MSI listed and checked; then the x64 MSI
# installed in the test prefix, run, and removed without leftovers.
#   check_packages.sh <version> <x64 build folder> <x86 package folder>
set -u
version=$1 build=$2 x86=$3
: "${WINEPREFIX:?run under scripts/wine-env.sh}"
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# The rows of an MSI table, tab-separated.
table() { msiinfo export "$1" "$2" | tr -d '\r' | tail -n +4; }

for arch in x64 x86; do
    case $arch in
        x64) dir=$build/packages processor=amd64 system=System64Folder ;;
        x86) dir=$x86 processor=x86 system=SystemFolder ;;
    esac
    name=Dozewell-$version-$arch
    zip=$dir/$name.zip msi=$dir/$name.msi
    for file in dozewell.exe dozewell-drift.scr; do
        # Windows refuses to start a program whose manifest names another processor; Wine does not.
        named=$(unzip -p "$zip" "$name/$file" | grep -ao 'processorArchitecture="[^"]*"' | sort -u)
        [ "$named" = "processorArchitecture=\"$processor\"" ] || fail "$arch $file: the zip's names '$named'"
        table "$msi" File | cut -f3 | grep -qx "$file" || fail "$file is not in $msi"
    done
    table "$msi" Component | cut -f3,6 | grep -qx "$system	DriftScr" || fail "$arch: the screen saver is not in $system"
    shortcuts=$(table "$msi" Shortcut | cut -f3,6)
    for shortcut in "Start Screen Saver	" "Lock Workstation	:lock" "Change Default Screen Saver	:settings"; do
        echo "$shortcuts" | grep -qx "$shortcut" || fail "$arch: no shortcut '$shortcut'"
    done
done

# Windows Installer in the test prefix, making no menu entries on the host.
msiexec() { WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" wine msiexec "$1" "$2" /qn; }
msi=$(winepath -w "$build/packages/Dozewell-$version-x64.msi")
program="$WINEPREFIX/drive_c/Program Files/Dozewell" saver=$WINEPREFIX/drive_c/windows/system32/dozewell-drift.scr
menus() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Dozewell*'; }
msiexec /i "$msi" || fail "the package does not install"
cmp "$saver" "$build/bin/dozewell-drift.scr" || fail "dozewell-drift.scr is not the one built"
[ "$(menus | grep -c '\.lnk$')" = 3 ] || fail "the Start menu holds: $(menus)"

# The installed program runs: here it cannot lock, and says so in a box of its own.
wine "$(winepath -w "$program/dozewell.exe")" :lock & lock=$!
shown=
for _ in $(seq 100); do
    kill -0 $lock 2>/dev/null || break
    xdotool search --name '^Dozewell$' >/dev/null && shown=1 && xdotool key Return
    sleep 0.2
done
kill $lock 2>/dev/null && fail "the installed program does not end"
[ -n "$shown" ] || fail "the installed program showed no box"

msiexec /x "$msi" || fail "the package does not uninstall"
for left in "$program" "$saver"; do [ ! -e "$left" ] || fail "left behind: $left"; done
[ -z "$(menus)" ] || fail "left in the Start menu: $(menus)"
exit $failed
