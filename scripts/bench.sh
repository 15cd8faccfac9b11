#!/usr/bin/env bash
# Builds both architectures and prints the benchmark table: catalogue fill, start-up, the dialog, sizes.
#   scripts/bench.sh [DOZEWELL.EXE]  also times the start-up and the dialog of that other x64 build, in turn with this one's
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset x86 >/dev/null
cmake --build --preset x86 -j "$(nproc)" --target dozewell dozewell_drift
cmake --preset x64 >/dev/null
cmake --build --preset x64 -j "$(nproc)" --target dozewell_bench drift_host

source scripts/wine-env.sh
trap wine_env_cleanup EXIT
wine_env_init bench
wine_display 1
wine_server_up

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(wine --version)"
echo
other=()
[[ -z "${1:-}" ]] || other=("$(winepath -w "$1")")
wine build/x64/bin/dozewell_bench.exe "${other[@]}" | tr -d '\r'


# Jiffies of user and system time of a process.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Processor time of the running screen saver started with this switch, over $measured seconds.
saver_cpu() {
    local mode=$1 pid="" before after hz
    for _ in $(seq 100); do
        pid=$(pgrep -f "dozewell-drift.scr $mode" | head -n 1) && break
        sleep 0.1
    done
    [[ -n "$pid" ]] || { echo "  $mode: the screen saver did not start"; return; }
    sleep 1  # its start is not what is measured
    hz=$(getconf CLK_TCK)
    before=$(cpu_ticks "$pid")
    sleep "$measured"
    after=$(cpu_ticks "$pid")
    awk -v t=$((after - before)) -v hz="$hz" -v s="$measured" -v m="$2" \
        'BEGIN { printf "  %-28s %5.2f s in %d s = %4.1f%% of one core\n", m, t / hz, s, 100 * t / hz / s }'
}

echo
echo "Screen saver: processor time of dozewell-drift.scr (from /proc; Wine reports none)"
measured=10
# Each mode runs a little longer than it is measured.
wine build/x64/bin/drift_host.exe $((measured + 3)) &
host=$!
saver_cpu /p "preview 152 x 112, 30 fps"
saver_cpu /s "full screen $(xdpyinfo | awk '/dimensions:/ {print $2}'), 30 fps"
wait "$host"

echo
echo "Size: stripped"
printf '%6s %-20s %10s  %s\n' arch file bytes "imported DLLs"
for arch in x86 x64; do
    for file in dozewell.exe dozewell-drift.scr; do
        exe=build/$arch/bin/$file
        dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}' | sort -f | paste -sd' ')
        printf '%6s %-20s %10s  %s\n' "$arch" "$file" "$(stat -c %s "$exe")" "$dlls"
    done
done
