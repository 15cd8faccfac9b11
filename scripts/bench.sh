#!/usr/bin/env bash
# Builds both architectures and prints the benchmark table: catalogue fill, start-up, the dialog, sizes.
#   scripts/bench.sh [DOZEWELL.EXE]  also times the start-up and the dialog of that other x64 build, in turn with this one's
#   scripts/bench.sh --drift         only Drift full screen at three screen sizes, its processor time and the
#                                    display server's, against Drift as it was before it drew only what changed,
#                                    and against the floor of any full-screen window drawing 30 times a second
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
source scripts/wine-env.sh
trap wine_env_cleanup EXIT

# Jiffies of user and system time of a process.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

if [[ "${1:-}" == --drift ]]; then
    # Drift before: the last commit before it drew only what changed, built from history.
    before=b18535a
    old=build/drift-before
    if [[ ! -f "$old/x64/bin/dozewell-drift.scr" ]]; then
        rm -rf "$old/src" && mkdir -p "$old/src"
        git archive "$before" | tar -x -C "$old/src"
        cmake -S "$old/src" -B "$old/x64" -DCMAKE_TOOLCHAIN_FILE="$PWD/$old/src/cmake/mingw-x64.cmake" \
            -DCMAKE_BUILD_TYPE=MinSizeRel -DDOZEWELL_BUILD_TESTS=OFF >/dev/null
        cmake --build "$old/x64" -j "$(nproc)" --target dozewell_drift >/dev/null
    fi
    cmake --preset x64 >/dev/null
    cmake --build --preset x64 -j "$(nproc)" --target dozewell_drift send_floor >/dev/null
    measured=15
    hz=$(getconf CLK_TCK)
    # Ticks of the program's and the display server's processor time over $measured s, after its start.
    measure() {
        # The launcher becomes the program's process, under the same id.
        wine "$@" >/dev/null 2>&1 &
        local pid=$! program display
        sleep 2  # its start is not what is measured
        grep -q "$(basename "$1")" "/proc/$pid/cmdline" || { echo "$1: the program did not start" >&2; exit 1; }
        program=$(cpu_ticks "$pid") display=$(cpu_ticks "$xvfb_pid")
        sleep "$measured"
        echo $(($(cpu_ticks "$pid") - program)) $(($(cpu_ticks "$xvfb_pid") - display))
        xdotool key space  # the user is back
        wait "$pid"
    }
    echo "Drift full screen at 30 fps: processor time in % of one core over $measured s, of the screen saver and"
    echo "of the display server (Xvfb) drawing what it sends (from /proc); before = Drift of $before. The floor, its"
    echo "own and the display server's: a window on the same timer that sends nothing, or 28 single pixels (as many"
    echo "as Drift's lights) each on its own"
    printf '%10s %13s %10s %7s %15s %12s %7s %15s %15s\n' size "saver before" "saver now" ratio "display before" \
        "display now" ratio "floor nothing" "floor 28 sends"
    wine_env_init bench
    for size in 1280x800 1920x1080 3840x2160; do
        wine_display 1 "$size"
        wine_server_up
        # shellcheck disable=SC2207
        figures=($(measure "$old/x64/bin/dozewell-drift.scr" /s) $(measure build/x64/bin/dozewell-drift.scr /s)
                 $(measure build/x64/bin/send_floor.exe 0) $(measure build/x64/bin/send_floor.exe 28))
        ((${#figures[@]} == 8)) || exit 1
        awk -v size="$size" -v hz="$hz" -v s="$measured" -v sb="${figures[0]}" -v db="${figures[1]}" \
            -v sn="${figures[2]}" -v dn="${figures[3]}" -v f0="${figures[4]}" -v d0="${figures[5]}" \
            -v f28="${figures[6]}" -v d28="${figures[7]}" 'function pc(t) { return 100 * t / hz / s }
            function ratio(a, b) { return a ? sprintf("%.3f", b / a) : "-" }
            BEGIN { printf "%10s %12.1f%% %9.2f%% %7s %14.1f%% %11.2f%% %7s %6.2f%% %5.2f%% %6.2f%% %5.2f%%\n", size,
                    pc(sb), pc(sn), ratio(sb, sn), pc(db), pc(dn), ratio(db, dn), pc(f0), pc(d0), pc(f28), pc(d28) }'
        wine_env_cleanup
        xvfb_pid=""
    done
    exit 0
fi

cmake --preset x86 >/dev/null
cmake --build --preset x86 -j "$(nproc)" --target dozewell dozewell_drift
cmake --preset x64 >/dev/null
cmake --build --preset x64 -j "$(nproc)" --target dozewell_bench drift_host

wine_env_init bench
wine_display 1
wine_server_up

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(wine --version)"
echo
other=()
[[ -z "${1:-}" ]] || other=("$(winepath -w "$1")")
wine build/x64/bin/dozewell_bench.exe "${other[@]}" | tr -d '\r'

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
