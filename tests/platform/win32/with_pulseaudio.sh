#!/usr/bin/env bash
# Runs a command (a test under Wine) beside a private PulseAudio server with a null sink and a null source,
# on a socket of its own, so that Wine's winepulse driver has a playback and a capture device. Exits with
# the command's status, or 77 (skipped) when PulseAudio is not installed.
set -euo pipefail

command -v pulseaudio >/dev/null && command -v pactl >/dev/null || {
  echo "pulseaudio or pactl missing: skipped" >&2
  exit 77
}

work=$(mktemp -d)
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The command keeps the caller's HOME, and so its WINEPREFIX; the server and the clients' cookie do not.
export XDG_RUNTIME_DIR=$work/run PULSE_RUNTIME_PATH=$work/pulse PULSE_STATE_PATH=$work/state
export PULSE_SERVER=unix:$work/native PULSE_COOKIE=$work/cookie
mkdir -p "$XDG_RUNTIME_DIR"

HOME=$work pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes --use-pid-file=no \
  -L "module-null-sink sink_name=sonaru_null" -L "module-null-source source_name=sonaru_mic" \
  -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
  --log-target=file:"$work/pulseaudio.log" &
server_pid=$!
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || {
  echo "PulseAudio did not start:" >&2
  cat "$work/pulseaudio.log" >&2
  exit 1
}
pactl set-default-sink sonaru_null
pactl set-default-source sonaru_mic

status=0
"$@" || status=$?
exit "$status"
