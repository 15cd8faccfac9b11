#!/usr/bin/env bash
# Installs what building and running Dozewell here needs, with apt-get, when anything is missing.
# 64-bit Wine only: these machines cannot run 32-bit programs, and wine32 would break the launcher.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
    llvm clang  # llvm-rc for the resource scripts (clang preprocesses them); clang++, the second compiler
    clang-format git
    wine wine64
    xvfb xdotool x11-utils imagemagick
    googletest
    msitools wixl unzip
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
