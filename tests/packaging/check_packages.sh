#!/usr/bin/env bash
# The packages as users get them, and as Windows reads them rather than Wine: both architectures' zip
# and MSI listed; every shipped program's properties, row by row; each MSI installed over an older
# build, run, refused a downgrade and removed without leftovers (x86 in a 32-bit prefix, and refused in
# the 64-bit one); and the x64 build made again from a clone elsewhere, byte for byte the same.
#   check_packages.sh <version> <x64 build folder> <x86 package folder>
set -u
version=$1 build=$2 x86=$3
: "${WINEPREFIX:?run under scripts/wine-env.sh}"
root=$(cd "$(dirname "$0")/../.." && pwd) tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# The rows of an MSI table, tab-separated.
table() { msiinfo export "$1" "$2" | tr -d '\r' | tail -n +4; }
dir() { [ "$1" = x64 ] && echo "$build/packages" || echo "$x86"; }

for arch in x64 x86; do
    case $arch in
        x64) processor=amd64 system=System64Folder subsystem=502 ;;
        x86) processor=x86 system=SystemFolder subsystem=501 ;;
    esac
    name=Dozewell-$version-$arch msi=$(dir $arch)/Dozewell-$version-$arch.msi
    unzip -q "$(dir $arch)/$name.zip" -d "$tmp" || fail "$arch: the zip does not unpack"
    (cd "$(dir $arch)" && sha256sum --quiet -c SHA256SUMS) || fail "$arch: SHA256SUMS does not match"
    # Windows XP has Windows Installer 2.0, the least an x64 package may ask for.
    msiinfo suminfo "$msi" | grep -qx 'Version: 200 (c8)' || fail "$arch: the MSI asks for more than Windows Installer 2.0"
    for file in dozewell.exe dozewell-drift.scr; do
        table "$msi" File | cut -f3 | grep -qx "$file" || fail "$file is not in $msi"
        pe=$(objdump -p -h "$tmp/$name/$file")
        has() { echo "$pe" | grep -qw "$1"; }
        while IFS='|' read -r property check; do
            eval "$check" || fail "$arch $file: not $property"
        done <<ROWS
ASLR|has DYNAMIC_BASE
high-entropy ASLR|[ $arch = x86 ] || has HIGH_ENTROPY_VA
DEP|has NX_COMPAT
terminal-server aware|has TERMINAL_SERVICE_AWARE
without a section both writable and executable|! echo "\$pe" | grep -w CODE | grep -vqw READONLY
a manifest for its own processor|[ "\$(grep -ao 'processorArchitecture="[^"]*"' "$tmp/$name/$file" | sort -u)" = 'processorArchitecture="$processor"' ]
importing only system DLLs|! echo "\$pe" | sed -n 's/.*DLL Name: //p' | grep -viqxE '(kernel|user|gdi|advapi|shell|comctl)32.dll|msvcrt.dll'
asking for text in UTF-8 (Windows 10 1903 and later)|grep -aqF 'SMI/2019/WindowsSettings">UTF-8</activeCodePage>' "$tmp/$name/$file"
drawn at the display's scale, if it is Dozewell|[ $file != dozewell.exe ] || { grep -aqF 'SMI/2005/WindowsSettings">true</dpiAware>' "$tmp/$name/$file" && grep -aqF 'SMI/2016/WindowsSettings">PerMonitorV2, system</dpiAwareness>' "$tmp/$name/$file"; }
started by Windows XP|[ \$(echo "\$pe" | awk '/SubsystemVersion/ { v = v * 100 + \$2 } END { print v }') -le $subsystem ]
ROWS
    done
    table "$msi" Component | cut -f3,6 | grep -qx "$system	DriftScr" || fail "$arch: the screen saver is not in $system"
    [ "$(table "$msi" Shortcut | cut -f3,6 | sort | tr '\n\t' '|=')" = "Change Default Screen Saver=:settings|Lock Workstation=:lock|Start Screen Saver=|" ] || fail "$arch: the shortcuts"
    # The last release's package, made as the build makes its own, with files of its own.
    cp -r "$tmp/$name" "$tmp/old-$arch" && for file in "$tmp/old-$arch"/*; do echo old >>"$file"; done
    printf '%s\n' "include(\"$(dirname "$msi")/../CPackConfig.cmake\")" 'include("${CPACK_PROJECT_CONFIG_FILE}")' "set(CPACK_PACKAGE_VERSION 1.0.0.0)" \
        "set(CPACK_PACKAGE_FILE_NAME old-$arch)" "set(CPACK_TEMPORARY_DIRECTORY $tmp/old-$arch)" "set(CPACK_TOPLEVEL_DIRECTORY $tmp)" \
        'include("${CPACK_EXTERNAL_PACKAGE_SCRIPT}")' >"$tmp/old.cmake" && cmake -P "$tmp/old.cmake" >/dev/null || fail "$arch: no older package"
done

# Windows Installer in the current prefix, making no menu entries on the host.
msiexec() { WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" wine msiexec "$1" "$(winepath -w "$2")" /qn; }
# The products that Windows Installer lists (this Wine writes no Uninstall key).
products() { wine reg query 'HKLM\Software\Classes\Installer\Products' /s | grep -c 'ProductName.*REG_SZ.*Dozewell'; }
menus() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Dozewell*'; }
# The installed program runs: here it cannot lock, and says so in a box of its own.
runs() {
    wine "$(winepath -w "$1")" :lock & local lock=$! shown=
    while kill -0 $lock 2>/dev/null; do xdotool search --name '^Dozewell$' >/dev/null && shown=1 && xdotool key Return || sleep 0.2; done
    [ -n "$shown" ] || fail "the installed program showed no box"
}
# The older package, this one over it, the older one refused over it, and this one removed.
installs() {
    local arch=$1 msi=$(dir $1)/Dozewell-$version-$1.msi built=$tmp/Dozewell-$version-$1
    local program=$WINEPREFIX/drive_c/Program\ Files/Dozewell saver=$WINEPREFIX/drive_c/windows/system32/dozewell-drift.scr
    same() { cmp -s "$program/dozewell.exe" "$built/dozewell.exe" && cmp -s "$saver" "$built/dozewell-drift.scr"; }
    msiexec /i "$tmp/old-$arch.msi" || fail "$arch: the older package does not install"
    msiexec /i "$msi" || fail "$arch: the package does not install over the older one"
    same && [ "$(products)" = 1 ] && [ "$(menus | grep -c '\.lnk$')" = 3 ] ||
        fail "$arch: not this build's files, one product and three shortcuts: $(products) products, $(menus)"
    msiexec /i "$tmp/old-$arch.msi" && fail "$arch: the older package installs over this one"
    same || fail "$arch: a refused downgrade changed the files"
    runs "$program/dozewell.exe"
    msiexec /x "$msi" || fail "$arch: the package does not uninstall"
    [ ! -e "$program" ] && [ ! -e "$saver" ] && [ -z "$(menus)" ] && [ "$(products)" = 0 ] || fail "$arch: something is left"
}
installs x64
msiexec /i "$x86/Dozewell-$version-x86.msi" || [ "$(products)" != 0 ] && fail "x86: the package installs on 64-bit Windows"
if "$root/scripts/runs-32bit.sh"; then
    # A 32-bit prefix with its own Wine server; the x64 prefix's server stays as it is.
    (source "$root/scripts/wine-env.sh" && wine_env_init test win32 && wineserver -p && installs x86
     wineserver -k; exit $failed) || failed=1
else
    echo "SKIPPED: the x86 MSI is not installed: this machine cannot run 32-bit code"
fi

# A clone of the same sources, built later in another folder, makes the same bytes.
rev=$(git -C "$root" stash create) && git clone -q --shared --no-checkout "$root" "$tmp/clone" &&
    git -C "$tmp/clone" checkout -q "${rev:-$(git -C "$root" rev-parse HEAD)}" || fail "the sources do not clone"
(cd "$tmp/clone" && export SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) &&
    cmake --preset x64 -DDOZEWELL_BUILD_TESTS=OFF >/dev/null && cmake --build --preset x64 -j "$(nproc)" >/dev/null &&
    cmake --build --preset x64 --target package >/dev/null) || fail "the clone does not build"
for file in bin/dozewell.exe bin/dozewell-drift.scr packages/Dozewell-$version-x64.zip packages/Dozewell-$version-x64.msi; do
    cmp -s "$build/$file" "$tmp/clone/build/x64/$file" || fail "built again elsewhere, $file differs"
done
exit $failed
