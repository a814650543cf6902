#!/usr/bin/env bash
# CPU use (% of one core) and memory of the real program sitting idle in a
# real X server. Builds nothing: run ./run.sh once first (or pass a folder).
#   bench/idle-cpu.sh [PROGRAM_FOLDER] [SECONDS] [RESOLUTION]
set -u
stage="${1:-$(cd "$(dirname "$0")/.." && pwd)/build/game}"
seconds="${2:-30}"
resolution="${3:-1024x768}"
. "$(cd "$(dirname "$0")/.." && pwd)/tests/e2e/xvfb.sh"

work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT
cp -r "$stage" "$work/game"
cd "$work/game"
printf '[global]\r\nRESOLUTION=%s\r\nFULLSCREEN=0\r\nAUDIO=0\r\n' "$resolution" > config.ini
start_xvfb
./quoli & pid=$!
wait_for_window Quoli 20 >/dev/null
sleep 2
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
start_cpu=$(cpu)
start_time=$(date +%s.%N)
sleep "$seconds"
end_cpu=$(cpu)
end_time=$(date +%s.%N)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
awk -v c0="$start_cpu" -v c1="$end_cpu" -v t0="$start_time" -v t1="$end_time" -v hz="$ticks" \
    -v rss="$rss" -v peak="$peak" -v res="$resolution" 'BEGIN {
  printf "idle at %s for %.0f s: CPU %.2f%% of one core, memory %.1f MiB (peak %.1f MiB)\n",
         res, t1 - t0, 100 * (c1 - c0) / hz / (t1 - t0), rss / 1024, peak / 1024 }'
xdotool key ctrl+q
wait_for_exit "$pid" 10 || true
