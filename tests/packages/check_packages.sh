#!/bin/sh
# Lists the zip and the MSI of one architecture and checks what they hold: the four files, the
# MSI's platform, folders and shortcuts, and manifests that name the processor of their images.
#   check_packages.sh <folder> <x64|x86> <package name without extension>
set -eu
dir=$1 arch=$2 name=$3
zip=$dir/$name.zip
msi=$dir/$name.msi
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# The rows of an MSI table, tab-separated.
table() { msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4; }

case $arch in
    x64) template="x64;1033" processor=amd64 system=System64Folder programs=ProgramFiles64Folder ;;
    x86) template="Intel;1033" processor=x86 system=SystemFolder programs=ProgramFilesFolder ;;
    *) echo "unknown architecture $arch"; exit 2 ;;
esac

echo "== $zip"
unzip -l "$zip"
for file in dozewell.exe dozewell-drift.scr README.md LICENSE; do
    unzip -l "$zip" "$name/$file" >/dev/null 2>&1 || fail "$file is not in the zip"
    case $file in
        *.exe | *.scr)
            named=$(unzip -p "$zip" "$name/$file" | grep -a -o 'processorArchitecture="[^"]*"' | sort -u)
            [ "$named" = "processorArchitecture=\"$processor\"" ] || fail "$file's manifest names: $named" ;;
    esac
done

echo "== $msi"
msiinfo suminfo "$msi" | grep -E '^(Subject|Template|Author):'
msiinfo suminfo "$msi" | grep -q "^Template: $template\$" || fail "the MSI is not for $template"
files=$(table File | cut -f3)
echo "Files:" $files
for file in dozewell.exe dozewell-drift.scr README.md LICENSE; do
    echo "$files" | grep -qx "$file" || fail "$file is not in the MSI"
done
table Directory | cut -f1 | grep -qx "$programs" || fail "nothing goes under $programs"
table Component | cut -f3,6 | grep -qx "$system	DriftScr" || fail "the screen saver does not go into $system"
shortcuts=$(table Shortcut | cut -f3,6)
echo "Shortcuts:"
echo "$shortcuts" | sed 's/^/  /'
for shortcut in "Start Screen Saver	" "Lock Workstation	:lock" "Change Default Screen Saver	:settings"; do
    echo "$shortcuts" | grep -qx "$shortcut" || fail "no shortcut '$shortcut'"
done
table Upgrade | grep -q . || fail "the MSI upgrades nothing"
exit $failed
