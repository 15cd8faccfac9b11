#!/usr/bin/env bash
# Installs what building and running Dozewell here needs, with apt-get, when anything is missing.
# 32-bit Wine (wine32, from Debian's i386 architecture) only where this machine runs 32-bit code:
# elsewhere it could not run, and Debian's wine launcher would pick it for every program.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake make
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
    llvm clang  # llvm-rc for the resource scripts (clang preprocesses them); clang++, the second compiler
    clang-format git
    wine wine64
    xvfb xdotool x11-utils imagemagick
    googletest
    msitools wixl unzip binutils faketime
    locales  # the sources of the display languages that the tests run in (scripts/wine-env.sh)
    osslsigncode openssl python3-yaml  # the release's signing; its manifests read by the package test
)
if scripts/runs-32bit.sh; then
    packages+=(wine32:i386)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    if [[ " ${missing[*]} " == *:i386* ]]; then
        "${sudo[@]}" dpkg --add-architecture i386
    fi
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
