#!/usr/bin/env bash
# Peer test: sonaru drives a real PulseAudio server (a null sink on a private socket) through ALSA's
# "pulse" device; the sink's volume is read back with pactl.
set -euo pipefail
sonaru=$1

command -v pulseaudio >/dev/null && command -v pactl >/dev/null || { echo "pulseaudio or pactl missing" >&2; exit 1; }

source "$(dirname "$0")/../support/private_servers.sh"
export HOME=$work XDG_CONFIG_HOME=$work/config
unset ALSA_CONFIG_PATH DISPLAY WAYLAND_DISPLAY
start_pulseaudio

sink_volume() { pactl get-sink-volume sonaru_null | sed -n 's/.*front-left: \([0-9]*\) .*/\1/p'; }
failed=0
check() {
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected '$2', got '$3'"; failed=$((failed + 1)); fi
}

mkdir "$work/app" && cp "$sonaru" "$work/app/sonaru"
export SONARU_MIXER_DEVICE=pulse
pactl set-sink-volume sonaru_null 40000
pactl set-sink-mute sonaru_null 0

timeout 20 "$work/app/sonaru" /S:32768
check "level set on the sink" 32768 "$(sink_volume)"
check "state saved before the level" "WaveVolume= 40000" "$(grep WaveVolume "$work/app/Sonaru.ini")"
check "mute saved" "WaveMute= 0" "$(grep WaveMute "$work/app/Sonaru.ini")"

pactl set-sink-mute sonaru_null 1
timeout 20 "$work/app/sonaru" /Rest
check "level restored on the sink" 40000 "$(sink_volume)"
check "mute restored on the sink" "Mute: no" "$(pactl get-sink-mute sonaru_null)"

echo "$((5 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
