# Sourced by the tests' shell scripts: a work folder of their own, and servers started in it (PulseAudio,
# an X server, a session bus) that are stopped, with the folder removed, on the way out.

work=$(mktemp -d)
server_pids=()
stop_private_servers() {
  local pid
  for pid in "${server_pids[@]}"; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap stop_private_servers EXIT

# start_pulseaudio [MODULE ARGUMENTS...]: a PulseAudio server on a socket in the work folder, with the null
# sink sonaru_null as default sink and each further module loaded (-L "..."); PULSE_SERVER and the rest
# point this shell's clients at it. Fails with the server's log when it does not answer within 5 seconds.
start_pulseaudio() {
  export XDG_RUNTIME_DIR=$work/run PULSE_RUNTIME_PATH=$work/pulse PULSE_STATE_PATH=$work/state
  export PULSE_SERVER=unix:$work/native PULSE_COOKIE=$work/cookie
  mkdir -p "$XDG_RUNTIME_DIR"
  HOME=$work pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes --use-pid-file=no \
    -L "module-null-sink sink_name=sonaru_null" "$@" \
    -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
    --log-target=file:"$work/pulseaudio.log" &
  server_pids+=($!)
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || {
    echo "PulseAudio did not start:" >&2
    cat "$work/pulseaudio.log" >&2
    return 1
  }
  pactl set-default-sink sonaru_null
}

# start_x_server [XVFB OPTIONS...]: an X server on the first free display, which DISPLAY names from then on.
start_x_server() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "$@" >/dev/null 2>&1 &
  server_pids+=($!)
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || {
    echo "Xvfb did not start" >&2
    return 1
  }
  export DISPLAY=:$(head -n1 "$work/display")
}

# start_session_bus: a D-Bus session bus, as a desktop session has (Qt's accessibility asks it whether a
# screen reader listens); DBUS_SESSION_BUS_ADDRESS names it from then on. Without one, each Qt window would
# try to start a bus of its own.
start_session_bus() {
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" >/dev/null 2>&1 &
  server_pids+=($!)
  for _ in $(seq 50); do [ -S "$work/bus" ] && break; sleep 0.1; done
  [ -S "$work/bus" ] || {
    echo "dbus-daemon did not start" >&2
    return 1
  }
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
}
