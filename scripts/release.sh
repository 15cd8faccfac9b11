#!/usr/bin/env bash
# Makes a release of one commit, ready for upload: both architectures built from a clean clone, their
# zips and MSIs, SHA256SUMS, and winget's manifests pointing at BASE_URL. Given a PKCS#12 certificate,
# the programs are signed before they are packaged and the MSIs after; without one the packages are
# the same bytes as any build of the commit.
#   scripts/release.sh [--commit REV] [--pkcs12 FILE [--password-file FILE] [--timestamp URL]]
#                      [--work DIR] BASE_URL OUT_DIR
# The password is read from --password-file or else from DOZEWELL_SIGN_PASSWORD. --work keeps the
# clone and its builds in DIR, so that another release of the same commit only packages again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage() { sed -n '6,7s/^# //p' "$0" >&2; exit 2; }

# What scripts/sign.sh, run here and by cpack, is told; only the options given here sign.
unset DOZEWELL_SIGN_PKCS12 DOZEWELL_SIGN_PASSWORD_FILE DOZEWELL_SIGN_TIMESTAMP DOZEWELL_SIGN_TIME
commit=HEAD work=
while [[ $# -gt 2 ]]; do
    case $1 in
        --commit) commit=$2 ;;
        --pkcs12) DOZEWELL_SIGN_PKCS12=$(realpath -e "$2") ;;
        --password-file) DOZEWELL_SIGN_PASSWORD_FILE=$(realpath -e "$2") ;;
        --timestamp) DOZEWELL_SIGN_TIMESTAMP=$2 ;;
        --work) work=$(realpath -m "$2") ;;
        *) usage ;;
    esac
    shift 2
done
export DOZEWELL_SIGN_PKCS12 DOZEWELL_SIGN_PASSWORD_FILE DOZEWELL_SIGN_TIMESTAMP
[[ $# -eq 2 ]] || usage
base=${1%/} out=$(realpath -m "$2")
rev=$(git -C "$root" rev-parse --verify "$commit^{commit}")
if [[ -z "$work" ]]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
# Every time stamp in the packages is the commit's, unless the caller gives one.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct "$rev")}

src=$work/src
[[ -d "$src/.git" ]] || git clone -q --shared --no-checkout "$root" "$src"
# Only the commit's files, and the builds of an earlier run of this script.
git -C "$src" checkout -q --force --detach "$rev"
git -C "$src" clean -q -f -d -x -e /build/

if [[ -n "${DOZEWELL_SIGN_PKCS12:-}" ]]; then
    # One signing time for the release: a program signed twice (for the zip and the MSI) is one file.
    export DOZEWELL_SIGN_TIME=$(date +%s)
    [[ -n "${DOZEWELL_SIGN_TIMESTAMP:-}" ]] ||
        echo "Signing without a time stamp: the signatures end when the certificate does."
fi

mkdir -p "$out"
[[ -z "$(ls -A "$out")" ]] || { echo "release.sh: $out is not empty" >&2; exit 2; }
# What winget is told of an MSI, read from the MSI itself.
property() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }
declare -A values
for arch in x86 x64; do
    packages=$src/build/$arch/packages
    rm -rf "$packages"
    (cd "$src" && cmake --preset $arch -DDOZEWELL_BUILD_TESTS=OFF >/dev/null &&
        cmake --build --preset $arch -j "$(nproc)" >/dev/null && cmake --build --preset $arch --target package >/dev/null)
    msi=$(echo "$packages"/Dozewell-*-$arch.msi)
    [[ -z "${DOZEWELL_SIGN_PKCS12:-}" ]] || "$src/scripts/sign.sh" "$msi"
    cp "${msi%.msi}.zip" "$msi" "$out"
    ARCH=${arch^^}
    values[VERSION]=$(property "$msi" ProductVersion)
    values[${ARCH}_URL]=$base/${msi##*/}
    values[${ARCH}_SHA256]=$(sha256sum "$msi" | cut -d' ' -f1)
    values[${ARCH}_PRODUCT_CODE]=$(property "$msi" ProductCode)
    values[${ARCH}_UPGRADE_CODE]=$(property "$msi" UpgradeCode)
done
(cd "$out" && sha256sum Dozewell-*.zip Dozewell-*.msi >SHA256SUMS)

# winget's multi-file manifest, where its community repository keeps it.
manifests=$out/winget/manifests/q/Quenbrook/Dozewell/${values[VERSION]}
mkdir -p "$manifests"
script=
for key in "${!values[@]}"; do
    value=${values[$key]//\\/\\\\} value=${value//&/\\&}
    script+="s|@$key@|${value//|/\\|}|g;"
done
for template in "$src"/packaging/winget/*.yaml; do
    sed "$script" "$template" >"$manifests/${template##*/}"
    if grep -q '@[A-Z0-9_]*@' "$manifests/${template##*/}"; then
        echo "release.sh: a value is missing in ${template##*/}" >&2
        exit 1
    fi
done
echo "The release of $rev is in $out"
