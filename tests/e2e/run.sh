#!/usr/bin/env bash
# run.sh WINE_RUN E2E_DRIVER ZELBRIN WORK_DIR: runs the end-to-end driver with
# a sound server of its own, recording its null sink for the driver to read.
set -euo pipefail
work=$4
rm -rf "$work"
# A folder with a Chinese name: the tones must play from it on any Windows.
sounds="$work/提示音 dir"
mkdir -p "$sounds"
# The interval's tone loud, the task's soft, both longer than any box stays
# open: the level tells which plays.
sox -n -r 44100 -c 2 "$sounds/interval tone.mp3" synth 200 sine 440 vol 0.8
sox -n -r 44100 -c 2 "$sounds/task tone.mp3" synth 200 sine 660 vol 0.1
export PULSE_SERVER="unix:$work/pulse"
pulseaudio --daemonize=no --exit-idle-time=-1 -n --load="module-null-sink sink_name=zelbrin_sink" \
    --load="module-native-protocol-unix socket=$work/pulse auth-anonymous=1" >"$work/pulse.log" 2>&1 &
trap 'kill $(jobs -p)' EXIT
timeout 10 bash -c "until [ -S '$work/pulse' ]; do sleep 0.1; done"
parec -d zelbrin_sink.monitor --format=s16le --rate=44100 --channels=2 --latency-msec=20 >"$work/sound.raw" &
ZELBRIN_SOUND_DIR="Z:${work//\//\\}" ZELBRIN_EXE=$3 "$1" "$2"
