#!/usr/bin/env bash
# alarms.sh WINE_RUN E2E_DRIVER ZELBRIN WORK_DIR: records the null sink while
# the driver's real-time alarms ring; the driver reads it as it grows.
set -euo pipefail
rm -rf "$4" && mkdir -p "$4/sound dir"
for name in alarm interval; do
    sox -n -r 44100 -c 2 "$4/sound dir/$name tone.mp3" synth 5 sine 440 vol 0.5
done
parec -d zelbrin_sink.monitor --format=s16le --rate=44100 --channels=2 --latency-msec=20 >"$4/sound.raw" &
trap 'kill $!' EXIT
export DISPLAY=${ZELBRIN_ALARM_DISPLAY:-$DISPLAY} WINEPREFIX=${ZELBRIN_ALARM_PREFIX:-${WINEPREFIX:-}}
ZELBRIN_SOUND_DIR="Z:${4//\//\\}" "$1" "$2" --gtest_filter=Alarms.* "$3"
