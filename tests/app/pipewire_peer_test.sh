#!/usr/bin/env bash
# Peer test: sonaru drives a real PipeWire server (a null sink and a null source) through pipewire-pulse
# and ALSA's "pulse" device; levels and mute states are read back with pactl. Every daemon is private.
set -euo pipefail
sonaru=$1

for program in dbus-daemon pipewire wireplumber pipewire-pulse pactl amixer; do
  command -v "$program" >/dev/null || { echo "SKIPPED: $program missing"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || continue
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
export PIPEWIRE_RUNTIME_DIR=$work/run PULSE_RUNTIME_PATH=$work/pulse PULSE_SERVER=unix:$work/pulse/native
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/no-system-bus
unset ALSA_CONFIG_PATH DISPLAY WAYLAND_DISPLAY PIPEWIRE_REMOTE PULSE_CLIENTCONFIG PULSE_STATE_PATH
mkdir -p "$XDG_RUNTIME_DIR" "$PULSE_RUNTIME_PATH" "$XDG_CONFIG_HOME"/{pulse,pipewire/pipewire.conf.d} \
  "$XDG_CONFIG_HOME"/wireplumber/{main,bluetooth}.lua.d

# A bus of our own that starts no service of the machine.
cat >"$work/bus.conf" <<EOF
<busconfig>
  <type>session</type>
  <listen>$DBUS_SESSION_BUS_ADDRESS</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
# A separate source, or WirePlumber takes the sink's monitor as the default source.
cat >"$XDG_CONFIG_HOME/pipewire/pipewire.conf.d/sonaru-test.conf" <<'EOF'
context.objects = [
  { factory = adapter args = { factory.name = support.null-audio-sink node.name = sonaru_sink
      media.class = Audio/Sink audio.position = [ FL FR ] object.linger = true } }
  { factory = adapter args = { factory.name = support.null-audio-sink node.name = sonaru_source
      media.class = Audio/Source audio.position = [ FL FR ] object.linger = true } }
]
EOF
# The machine's sound cards, cameras and Bluetooth devices stay out of this server.
echo 'alsa_monitor.enabled = false v4l2_monitor.enabled = false libcamera_monitor.enabled = false' \
  >"$XDG_CONFIG_HOME/wireplumber/main.lua.d/51-sonaru-test.lua"
echo 'bluez_monitor.enabled = false' >"$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d/51-sonaru-test.lua"
echo 'autospawn = no' >"$XDG_CONFIG_HOME/pulse/client.conf"

microseconds() { echo "${EPOCHREALTIME//[!0-9]/}"; }
started=$(microseconds)
# WirePlumber gives up when PipeWire is not listening yet.
await_socket() { for _ in $(seq 100); do [ -S "$1" ] && break; sleep 0.05; done; }
dbus-daemon --config-file="$work/bus.conf" --nofork --nopidfile 2>"$work/dbus.log" &
pids+=($!)
await_socket "$work/bus"
pipewire >"$work/pipewire.log" 2>&1 &
pids+=($!)
await_socket "$XDG_RUNTIME_DIR/pipewire-0"
for daemon in wireplumber pipewire-pulse; do
  "$daemon" >"$work/$daemon.log" 2>&1 &
  pids+=($!)
done

both_controls() { [ "$(amixer -D pulse scontrols 2>/dev/null | grep -c "'Master',0\|'Capture',0")" = 2 ]; }
ready=0
while [ $(($(microseconds) - started)) -lt 20000000 ]; do
  if timeout 2 pactl set-default-sink sonaru_sink 2>/dev/null &&
    timeout 2 pactl set-default-source sonaru_source 2>/dev/null && both_controls; then
    ready=1
    break
  fi
  sleep 0.1
done
if [ "$ready" = 0 ]; then
  echo "FAILED: ALSA's pulse device never showed Master and Capture"
  tail -n 5 "$work"/*.log
  exit 1
fi
elapsed=$(($(microseconds) - started))
printf "PipeWire ready in %d.%02d s\n" $((elapsed / 1000000)) $((elapsed % 1000000 / 10000))

level() { pactl "get-$1-volume" "sonaru_$1" | sed -n 's/.*front-left: \([0-9]*\) .*/\1/p'; }
muted() { pactl "get-$1-mute" "sonaru_$1"; }
failed=0
checks=0
check() {
  checks=$((checks + 1))
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected '$2', got '$3'"
    failed=$((failed + 1))
  fi
}
run() {
  local status=0
  timeout 20 "$work/app/sonaru" "$1" || status=$?
  check "sonaru $1 exits with 0" 0 "$status"
}

mkdir "$work/app" && cp "$sonaru" "$work/app/sonaru"
export SONARU_MIXER_DEVICE=pulse
pactl set-sink-volume sonaru_sink 40000
pactl set-sink-mute sonaru_sink 0
pactl set-source-volume sonaru_source 20000
pactl set-source-mute sonaru_source 1

run /S:30000
check "level set on the sink" 30000 "$(level sink)"
check "state saved before the level" $'WaveVolume= 40000\nWaveMute= 0\nMicroVolume= 20000\nMicroMute= 1' \
  "$(grep -E '^(Wave|Micro)(Volume|Mute)=' "$work/app/Sonaru.ini")"

pactl set-sink-volume sonaru_sink 50000
pactl set-sink-mute sonaru_sink 1
pactl set-source-volume sonaru_source 10000
pactl set-source-mute sonaru_source 0
run /Rest
check "sink level restored" 40000 "$(level sink)"
check "sink mute restored" "Mute: no" "$(muted sink)"
check "source level restored" 20000 "$(level source)"
check "source mute restored" "Mute: yes" "$(muted source)"

echo "$((checks - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
