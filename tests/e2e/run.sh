#!/usr/bin/env bash
# run.sh WINE_RUN E2E_DRIVER ZELBRIN WORK_DIR: runs the end-to-end driver with
# a sound server of its own, recording its null sink for the driver to read.
set -euo pipefail
work=$4
rm -rf "$work"
mkdir -p "$work/sound dir"
# Loud for 3 s, then soft for longer than any box stays open: the start tells
# a new alarm's sound from an older one's, and silence comes only from a close.
sox -n -r 44100 -c 2 "$work/loud.wav" synth 3 sine 440 vol 0.8
sox -n -r 44100 -c 2 "$work/soft.wav" synth 197 sine 440 vol 0.2
sox "$work/loud.wav" "$work/soft.wav" "$work/sound dir/alarm tone.mp3"
export PULSE_SERVER="unix:$work/pulse"
pulseaudio --daemonize=no --exit-idle-time=-1 -n --load="module-null-sink sink_name=zelbrin_sink" \
    --load="module-native-protocol-unix socket=$work/pulse auth-anonymous=1" >"$work/pulse.log" 2>&1 &
trap 'kill $(jobs -p)' EXIT
timeout 10 bash -c "until [ -S '$work/pulse' ]; do sleep 0.1; done"
parec -d zelbrin_sink.monitor --format=s16le --rate=44100 --channels=2 --latency-msec=20 >"$work/sound.raw" &
ZELBRIN_SOUND_DIR="Z:${work//\//\\}" ZELBRIN_EXE=$3 "$1" "$2"
