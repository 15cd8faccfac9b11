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
    [ $arch = x64 ] && processor=amd64 system=System64Folder subsystem=502 || processor=x86 system=SystemFolder subsystem=501
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
#   installs ARCH [MSI FOLDER]: by default this build's MSI, whose files are those of its zip in FOLDER
installs() {
    local arch=$1 msi=${2:-$(dir $1)/Dozewell-$version-$1.msi} built=${3:-$tmp/Dozewell-$version-$1}
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

# The release, made twice in one clean clone: without a certificate, the same bytes as this build;
# then signed with a throw-away certificate authority's, and left in build/release to be looked at.
certs=$root/build/release-certificate release=$root/build/release rev=$(git -C "$root" stash create)
export SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) DOZEWELL_SIGN_PASSWORD=throw-away
"$root/scripts/release.sh" --commit "${rev:-HEAD}" --work "$tmp/work" https://example.com/dozewell "$tmp/unsigned" >/dev/null || fail "no release without a certificate"
for file in bin/dozewell.exe bin/dozewell-drift.scr; do cmp -s "$build/$file" "$tmp/work/src/build/x64/$file" || fail "built again elsewhere, $file differs"; done
for file in $(cd "$tmp/unsigned" && echo Dozewell-*); do cmp -s "$(dir ${file:(-7):3})/$file" "$tmp/unsigned/$file" || fail "released unsigned, $file differs"; done
rm -rf "$certs" "$release" && mkdir -p "$certs" && (cd "$certs" &&
    openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj /CN=Dozewell-test-CA -addext keyUsage=critical,keyCertSign &&
    openssl req -x509 -newkey rsa:2048 -nodes -keyout signer.key -out signer.pem -days 2 -subj /CN=Dozewell-test -CA ca.pem -CAkey ca.key \
        -addext basicConstraints=CA:FALSE -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning &&
    openssl pkcs12 -export -inkey signer.key -in signer.pem -passout env:DOZEWELL_SIGN_PASSWORD -out signer.p12) 2>/dev/null || fail "no certificate"
"$root/scripts/release.sh" --commit "${rev:-HEAD}" --work "$tmp/work" --pkcs12 "$certs/signer.p12" https://example.com/dozewell "$release" >"$tmp/log" 2>&1 || fail "no signed release: $(cat "$tmp/log")"
grep -q "$DOZEWELL_SIGN_PASSWORD" "$tmp/log" || ! grep -q 'end when the certificate does' "$tmp/log" && fail "the password, or no time stamp, in the log"
verify() { local out; out=$(osslsigncode verify -CAfile "$certs/ca.pem" -in "$1" 2>&1) && echo "$out" | grep -q 'digest algorithm *: SHA256'; }
property() { table "$msi" Property | sed -n "s/^$1\t//p"; }
for arch in x64 x86; do
    msi=$release/Dozewell-$version-$arch.msi signed=$tmp/signed-$arch/Dozewell-$version-$arch
    unzip -q "${msi%.msi}.zip" -d "$tmp/signed-$arch" && msiextract -C "$tmp/msi-$arch" "$msi" >/dev/null || fail "$arch: no signed packages"
    for file in "$msi" "$signed"/*.{exe,scr}; do verify "$file" || fail "$file: not signed with SHA-256, or not valid"; done
    for file in dozewell.exe dozewell-drift.scr; do cmp -s "$signed/$file" "$(find "$tmp/msi-$arch" -name $file)" || fail "$arch: the MSI's $file"; done
    sum=$(sha256sum "$msi" | cut -d' ' -f1) && grep -qx "$sum  ${msi##*/}" "$release/SHA256SUMS" || fail "$arch: the MSI's line in SHA256SUMS"
    expected+="$arch $(property ProductVersion) msi machine install $sum $(property ProductCode) $(property UpgradeCode) https://example.com/dozewell/${msi##*/}|"
done
cp "$signed/dozewell.exe" "$tmp/changed.exe" && printf x | dd of="$tmp/changed.exe" bs=1 seek=2000 conv=notrunc 2>/dev/null
cmp -s "$signed/dozewell.exe" "$tmp/changed.exe" || verify "$tmp/changed.exe" && fail "a program with a byte changed passes verification"
# Signed, the x64 program starts as it did (from a copy of this build's programs), and its MSI installs.
cp -r "$build/bin" "$tmp/signed-bin" && cp "$tmp/signed-x64/Dozewell-$version-x64"/*.{exe,scr} "$tmp/signed-bin" &&
    wine "$(winepath -w "$tmp/signed-bin/dozewell_tests.exe")" --gtest_filter='App.*' >"$tmp/log" 2>&1 || fail "signed, it starts otherwise: $(grep -m1 -B4 -A8 -E 'Failure|could not start' "$tmp/log")"
installs x64 "$release/Dozewell-$version-x64.msi" "$tmp/signed-x64/Dozewell-$version-x64"
# The manifests parse, hold what winget requires of manifest version 1.6.0, and say what the MSIs are.
/usr/bin/python3 - "$release/winget/manifests/q/Quenbrook/Dozewell/$(property ProductVersion)" >"$tmp/manifests" <<'PY'
import sys, yaml
required = {"": ["DefaultLocale"], ".installer": ["Installers"], ".locale.en-US": ["PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"]}
for name, keys in required.items():
    m = yaml.safe_load(open(f"{sys.argv[1]}/Quenbrook.Dozewell{name}.yaml"))
    print(*[m.get(key) for key in ["PackageIdentifier", "ManifestType", "ManifestVersion", "PackageVersion"]], *[k for k in keys if k not in m], end="|")
m = yaml.safe_load(open(f"{sys.argv[1]}/Quenbrook.Dozewell.installer.yaml"))
for i in [{**m, **i} for i in m["Installers"]]:  # what an installer leaves out, the manifest says for all
    print(*[i[key] for key in ["Architecture", "PackageVersion", "InstallerType", "Scope", "UpgradeBehavior", "InstallerSha256", "ProductCode"]],
          i["AppsAndFeaturesEntries"][0]["UpgradeCode"], i["InstallerUrl"], end="|")
PY
[ "$(cat "$tmp/manifests")" = "$(printf "Quenbrook.Dozewell %s 1.6.0 $(property ProductVersion)|" version installer defaultLocale)$expected" ] || fail "the manifests: $(cat "$tmp/manifests")"
exit $failed
