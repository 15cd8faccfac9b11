#!/bin/sh
# The packages as users get them: both architectures' zip and MSI listed and checked; then the x64 MSI
# installed over an older build of itself in the test prefix, run, and removed without leftovers.
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
        x64) dir=$build/packages template=x64 processor=amd64 system=System64Folder programs=ProgramFiles64Folder ;;
        x86) dir=$x86 template=Intel processor=x86 system=SystemFolder programs=ProgramFilesFolder ;;
    esac
    name=Dozewell-$version-$arch
    zip=$dir/$name.zip msi=$dir/$name.msi
    unzip -l "$zip"
    for file in dozewell.exe dozewell-drift.scr; do
        # Windows refuses to start a program whose manifest names another processor; Wine does not.
        named=$(unzip -p "$zip" "$name/$file" | grep -ao 'processorArchitecture="[^"]*"' | sort -u)
        [ "$named" = "processorArchitecture=\"$processor\"" ] || fail "$arch $file: the zip's names '$named'"
        table "$msi" File | cut -f3 | grep -qx "$file" || fail "$file is not in $msi"
    done
    unzip -p "$zip" "$name/dozewell-drift.scr" | tr -d '\0' | grep -aq "ProductVersion$version" ||
        fail "$arch: the screen saver is not version $version"
    msiinfo suminfo "$msi" | grep -qx "Template: $template;1033" || fail "$msi is not for $template"
    table "$msi" Directory | cut -f1 | grep -qx "$programs" || fail "$arch: nothing goes under $programs"
    table "$msi" Component | cut -f3,6 | grep -qx "$system	DriftScr" || fail "$arch: the screen saver is not in $system"
    shortcuts=$(table "$msi" Shortcut | cut -f3,6)
    echo "$shortcuts"
    for shortcut in "Start Screen Saver	" "Lock Workstation	:lock" "Change Default Screen Saver	:settings"; do
        echo "$shortcuts" | grep -qx "$shortcut" || fail "$arch: no shortcut '$shortcut'"
    done
done

# Windows Installer in the test prefix, making no menu entries on the host.
msiexec() { WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" wine msiexec "$1" "$2" /qn; }
# The product codes of the Dozewell products installed.
registered() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk -F'\\' '/^HKEY/ { code = $NF } /DisplayName +REG_SZ +Dozewell$/ { print code }'; }
menus() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Dozewell*'; }
msi=$(winepath -w "$build/packages/Dozewell-$version-x64.msi") older=$(winepath -w "$build/packages/older/older.msi")
program="$WINEPREFIX/drive_c/Program Files/Dozewell" saver=$WINEPREFIX/drive_c/windows/system32/dozewell-drift.scr
cpack --config "$build/CPackConfig.cmake" -G External -D CPACK_PACKAGE_VERSION=0.9.0 -D CPACK_PACKAGE_FILE_NAME=older \
    -B "$build/packages/older" >/dev/null || fail "cpack made no older package"
for code in $(registered); do msiexec /x "$code"; done  # whatever a failed run left
msiexec /i "$older" || fail "the older package does not install"
msiexec /i "$msi" || fail "the package does not install over the older one"
[ "$(registered | wc -l)" = 1 ] || fail "installed: $(registered)"
msiexec /i "$older" && fail "the older package goes over the newer"
cmp "$program/dozewell.exe" "$build/bin/dozewell.exe" || fail "dozewell.exe is not the one built"
cmp "$saver" "$build/bin/dozewell-drift.scr" || fail "dozewell-drift.scr is not the one built"
[ "$(menus | grep -c '\.lnk$')" = 3 ] || fail "the Start menu holds: $(menus)"

# The installed program runs: here it cannot lock, and says so in a box of its own.
wine "$(winepath -w "$program/dozewell.exe")" :lock & lock=$!
tries=0 box=
while [ -z "$box" ] && [ $((tries += 1)) -le 200 ]; do box=$(xdotool search --name '^Dozewell$'); sleep 0.1; done
[ -n "$box" ] && xdotool keydown --window "$box" Return || fail "the installed program showed no box"
tries=0
while kill -0 $lock 2>/dev/null && [ $((tries += 1)) -le 200 ]; do sleep 0.1; done
kill -0 $lock 2>/dev/null && fail "the installed program does not end" && kill $lock

msiexec /x "$msi" || fail "the package does not uninstall"
[ -z "$(registered)" ] || fail "still registered: $(registered)"
for left in "$program" "$saver"; do [ ! -e "$left" ] || fail "left behind: $left"; done
[ -z "$(menus)" ] || fail "left in the Start menu: $(menus)"
exit $failed
