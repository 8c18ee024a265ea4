#!/usr/bin/env bash
# The alarms are heard: records the sound server's null sink while the real
# program rings a scheduled task and an interval with an mp3 at a path with
# blanks, and checks that sound plays while each box is open and stops when
# it is closed.
# usage: audio_test.sh WINE_RUN E2E_DRIVER ZELBRIN WORK_DIR
set -euo pipefail
wine_run=$1 driver=$2 zelbrin=$3 work=$4

if [ -z "${PULSE_SERVER:-}" ] || ! command -v parec >/dev/null || ! command -v sox >/dev/null; then
    echo "no sound server to record (scripts/test.sh starts one)" >&2
    exit 1
fi
rm -rf "$work"
mkdir -p "$work/sound dir"
mp3="$work/sound dir/alarm tone.mp3"
sox -n -r 44100 -c 2 "$mp3" synth 60 sine 440 vol 0.5
windows_path() { echo "Z:${1//\//\\}"; }

raw="$work/recording.raw"
parec -d zelbrin_sink.monitor --format=s16le --rate=44100 --channels=2 > "$raw" &
recorder=$!
trap 'kill $recorder 2>/dev/null || true' EXIT
started=$(date +%s%3N)

ZELBRIN_AUDIO_MP3=$(windows_path "$mp3") ZELBRIN_TIMELINE=$(windows_path "$work/timeline.txt") \
    "$wine_run" "$driver" --gtest_filter=ProgramTest.AlarmsPlayTheirSound "$zelbrin"
sleep 3
kill $recorder
wait $recorder 2>/dev/null || true

rms() {  # start and length in seconds from the start of the recording
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$raw" -n trim "$1" "$2" stat 2>&1 |
        awk '/RMS +amplitude/ {print $3}'
}
failed=0
while read -r name _ opened && read -r _ _ closed; do
    during=$(rms "$(awk -v t="$opened" -v s="$started" 'BEGIN {print (t - s) / 1000 + 1.0}')" 1.8)
    after=$(rms "$(awk -v t="$closed" -v s="$started" 'BEGIN {print (t - s) / 1000 + 0.7}')" 1.8)
    echo "$name: RMS $during while its box is open, $after after it is closed"
    if ! awk -v d="$during" -v a="$after" 'BEGIN {exit !(d > 0.05 && a < 0.005)}'; then
        failed=1
    fi
done < "$work/timeline.txt"
[ "$(wc -l < "$work/timeline.txt")" -eq 4 ] || failed=1
if [ $failed -ne 0 ]; then
    echo "audio check failed" >&2
    exit 1
fi
echo "audio check passed"
