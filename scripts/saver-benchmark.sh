#!/usr/bin/env bash
# Prints how much processor time the screen saver takes under Wine, as a preview and full screen:
# scripts/saver-benchmark.sh [seconds measured per mode, default 10]
# Wine reports no processor times of other processes, so they are read from /proc.
set -euo pipefail
cd "$(dirname "$0")/.."

measured=${1:-10}
scripts/setup.sh
cmake --preset x64 >/dev/null
cmake --build --preset x64 -j 2 --target saver_benchmark >/dev/null

source scripts/wine-env.sh
trap wine_env_cleanup EXIT
wine_env_init bench
wine_display 1
wine_server_up

# Jiffies of user and system time of a process.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() {
    local mode=$1 pid=""
    for _ in $(seq 100); do
        pid=$(pgrep -f "dozewell-drift.scr $mode" | head -n 1) && break
        sleep 0.1
    done
    [[ -n "$pid" ]] || { echo "the saver did not start with $mode"; return 1; }
    sleep 1  # start-up is not what is measured
    local before after hz
    hz=$(getconf CLK_TCK)
    before=$(cpu_ticks "$pid")
    sleep "$measured"
    after=$(cpu_ticks "$pid")
    awk -v t=$((after - before)) -v hz="$hz" -v s="$measured" -v m="$mode" \
        'BEGIN { printf "%s: %.2f s of processor time in %d s = %.1f%% of one core\n", m, t / hz, s, 100 * t / hz / s }'
}

# Each mode is held a little longer than it is measured.
wine build/x64/bin/saver_benchmark.exe $((measured + 3)) &
runner=$!
measure /p
measure /s
wait "$runner"
