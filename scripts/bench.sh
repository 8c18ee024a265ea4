#!/usr/bin/env bash
# Benchmarks of the real program under Wine, on this machine, in one run:
# size and imports, start-up beside a minimal dialog program, idle CPU with
# both countdowns running, and the alarm latencies. Not a test: it prints.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh >/dev/null
bash scripts/build.sh win32 >/dev/null
source scripts/wine-env.sh
build_for_wine >/dev/null
trap stop_session EXIT
ensure_display
ensure_prefix
start_wine

exe="$PWD/build/win32/zelbrin.exe"
size=$(stat -c %s "$exe")
echo "exe: $size bytes ($((size / 1024)) KiB); imports: $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | sort -f | tr '\n' ' ')"

# The timings run the build this host's Wine runs (scripts/wine-env.sh).
exe="$PWD/build/$ZELBRIN_ARCH/zelbrin.exe"
driver=build/$ZELBRIN_ARCH/bench_driver.exe
wine "$driver" startup "$exe" "$PWD/build/$ZELBRIN_ARCH/minimal_dialog.exe" 5 2>/dev/null

# Idle: CPU time of the program's process over the measured seconds. Another
# copy may run (a test run, the user's own), so the process measured is the
# one whose environment carries this run's tag, which Wine hands down from
# the driver to the program it starts.
seconds=${ZELBRIN_IDLE_SECONDS:-120}
tag="$$-$RANDOM"
ZELBRIN_BENCH_TAG=$tag wine "$driver" idle "$exe" "$seconds" > build/bench-idle.log 2>/dev/null &
driver_pid=$!
for _ in $(seq 1 300); do
    grep -q ready build/bench-idle.log 2>/dev/null && break
    sleep 0.1
done
pid=""
for candidate in $(pgrep -x zelbrin.exe); do
    if tr '\0' '\n' < "/proc/$candidate/environ" 2>/dev/null | grep -qx "ZELBRIN_BENCH_TAG=$tag"; then
        pid=$candidate
    fi
done
[ -n "$pid" ] || { echo "bench: the started program was not found" >&2; exit 1; }
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
wait "$driver_pid" || true
awk -v used="$((after - before))" -v hz="$ticks" -v s="$seconds" \
    'BEGIN {printf "idle: %.2f s of CPU in %d s with both countdowns running, %.3f %% of one core\n", used / hz, s, 100 * used / hz / s}'

wine "$driver" latency "$exe" 2>/dev/null
