#!/usr/bin/env bash
# Builds both architectures and prints the benchmark table: catalogue fill, start-up, sizes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset x86 >/dev/null
cmake --build --preset x86 -j "$(nproc)" --target dozewell
cmake --preset x64 >/dev/null
cmake --build --preset x64 -j "$(nproc)" --target dozewell_bench

source scripts/wine-env.sh
trap wine_env_cleanup EXIT
wine_env_init bench
wine_display 1
wine_server_up

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(wine --version)"
echo
wine build/x64/bin/dozewell_bench.exe | tr -d '\r'

echo
echo "Size: dozewell.exe, stripped"
printf '%6s %10s  %s\n' arch bytes "imported DLLs"
for arch in x86 x64; do
    exe=build/$arch/bin/dozewell.exe
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}' | sort -f | paste -sd' ')
    printf '%6s %10s  %s\n' "$arch" "$(stat -c %s "$exe")" "$dlls"
done
