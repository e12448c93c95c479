#!/usr/bin/env bash
# Benchmarks of a release build, each as a ratio to a yardstick run in the same go:
#   the command line against `amixer sset Master` (hyperfine: wall and cpu time), on the tests' virtual card
#   and, through the machine's stock ALSA configuration, on a private PulseAudio server;
#   the window's start, to its first picture on a private Xvfb with a session bus of its own as on a desktop,
#   against a minimal Qt 6 window without and with a line of text, its mixer on the virtual card and on
#   PulseAudio;
#   the peak memory of each (/usr/bin/time %M);
#   a drag of the VOL thumb (XTEST on Xvfb) against a C loop of snd_mixer_selem_set_playback_volume_all,
#   on the virtual card and on a private PulseAudio server's null sink: levels per second and latency, and
#   the part of the latency that a move's way to any Qt window takes (to the minimal window, through XTEST).
# Usage: [PAINT_ROUNDS=N] tools/bench.sh [build folder of a release build with tests, default build/release]
# PAINT_ROUNDS (default 15) is the number of alternated rounds of the window's start: more give firmer
# medians on a noisy machine (61 rounds add about half a minute).
# The virtual card's file lives in $TMPDIR (/tmp by default, as in the tests); its writes cost what that
# file system makes a rename cost, which the output names: TMPDIR=/dev/shm keeps it in memory.
# Not a test: nothing in CI runs it. Installs what it needs when missing (hyperfine, time, libxtst-dev...).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
helpers=$root/tools/bench
# The work folder, and Xvfb, a session bus and PulseAudio started in it, as the tests start them; all go on
# the way out.
# shellcheck source=tests/support/private_servers.sh
source "$root/tests/support/private_servers.sh"
window=""
paint_rounds=${PAINT_ROUNDS:-15}

cleanup() {
  [ -n "$window" ] && kill "$window" 2>/dev/null
  stop_private_servers
}
trap cleanup EXIT

die() {
  echo "bench.sh: $*" >&2
  exit 1
}

ensure_packages() {
  local package missing=()
  for package in hyperfine time libxtst-dev libx11-dev xvfb dbus-daemon pulseaudio pulseaudio-utils \
    alsa-utils libasound2-dev qt6-base-dev pkg-config g++ cmake; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installation de : ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_helpers() {
  local flags=(-O2 -Wall -Wextra -Wpedantic)
  mkdir "$work/bin"
  # shellcheck disable=SC2046  # pkg-config's flags are words
  gcc "${flags[@]}" -o "$work/bin/volume_loop" "$helpers/volume_loop.c" $(pkg-config --cflags --libs alsa)
  # shellcheck disable=SC2046
  gcc "${flags[@]}" -o "$work/bin/drag_probe" "$helpers/drag_probe.c" "$helpers/level_changes.c" \
    $(pkg-config --cflags --libs alsa x11 xtst)
  gcc "${flags[@]}" -o "$work/bin/first_paint" "$helpers/first_paint.c"
  # shellcheck disable=SC2046
  gcc "${flags[@]}" -o "$work/bin/move_probe" "$helpers/move_probe.c" $(pkg-config --cflags --libs x11 xtst)
  # shellcheck disable=SC2046
  g++ -std=c++20 -fPIC "${flags[@]}" -o "$work/bin/minimal_window" "$helpers/minimal_window.cpp" \
    $(pkg-config --cflags --libs Qt6Widgets)
}

# An install in a folder of its own: the program finds its module and files as it would anywhere, and
# keeps its Sonaru.ini beside itself, away from the build.
install_program() {
  grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" || die "$build is not a Release build"
  cmake --install "$build" --prefix "$work/prefix" >/dev/null
  sonaru=$work/prefix/bin/sonaru
}

# Private surroundings: no user configuration, no desktop, nothing left behind.
isolate() {
  mkdir -p "$work/home" "$work/run"
  chmod 700 "$work/run"
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
  unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM SONARU_MIXER_DEVICE PULSE_SERVER \
    ALSA_CONFIG_PATH
}

# The tests' virtual card, as "vcard" and "default", served from a card file in a folder of its own.
use_virtual_card() {
  local conf=$build/tests/vcard/vcard.conf
  [ -f "$conf" ] || die "no $conf: configure the build with -DSONARU_BUILD_TESTS=ON"
  mkdir -p "$work/card"
  cp "$root/tools/sample_card.txt" "$work/card/card"
  export ALSA_CONFIG_PATH=$conf SONARU_VCARD_FILE=$work/card/card
}

print_machine() {
  local source commit
  source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
  commit=$(git -C "$source" rev-parse --short HEAD 2>/dev/null || echo "?")
  git -C "$source" diff --quiet HEAD 2>/dev/null || commit+=" + changes"
  echo "Sonaru benchmarks: $build (Release), commit $commit, $(date '+%Y-%m-%d %H:%M')"
  echo "Machine: $(nproc) cpu, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1), Linux $(uname -r)"
  echo "Card file in $(df --output=fstype "$work" | tail -1) ($work)"
}

# hyperfine's CSV columns: command, mean, stddev, median, user, system, min, max (seconds). Both on the
# default device, in four blocks of 10 runs that take turns, so that the machine's drift reaches both alike;
# the means of the blocks are averaged.
compare_command() {
  local reference="amixer sset Master 30000"
  : >"$work/pairs.csv"
  for _ in 1 2 3 4; do
    hyperfine -N --warmup 3 --runs 10 --style none --export-csv "$work/pair.csv" \
      "$sonaru $*" "$reference" >"$work/hyperfine.log" 2>&1 || die "hyperfine: $(cat "$work/hyperfine.log")"
    sed 1d "$work/pair.csv" >>"$work/pairs.csv"
  done
  awk -F, -v label="sonaru $*" '{i = (NR - 1) % 2; wall[i] += $2 / 4; cpu[i] += ($5 + $6) / 4}
    END {printf "  %-18s wall %6.2f ms  cpu %6.2f ms | amixer wall %6.2f ms  cpu %6.2f ms | ratio wall %.2f  cpu %.2f\n",
         label, wall[0] * 1e3, cpu[0] * 1e3, wall[1] * 1e3, cpu[1] * 1e3, wall[0] / wall[1], cpu[0] / cpu[1]}' \
    "$work/pairs.csv"
}

# Usage: bench_command_line DEVICE_DESCRIPTION
bench_command_line() {
  echo "Command line on $1 (hyperfine, 4 alternated blocks of 10 runs; ratio = sonaru / amixer sset Master 30000):"
  compare_command /S:30000
  compare_command /Rest  # restores what /S:30000 saved
  compare_command --version
}

peak_memory() {
  /usr/bin/time -f %M -o "$work/memory" "$@" >/dev/null 2>&1 || die "$* failed"
  awk 'END {printf "%.1f MB", $1 / 1024}' "$work/memory"
}

bench_command_memory() {
  echo "Peak memory (/usr/bin/time %M):"
  echo "  sonaru /S:30000 $(peak_memory "$sonaru" /S:30000), sonaru /Rest $(peak_memory "$sonaru" /Rest)," \
    "sonaru --version $(peak_memory "$sonaru" --version), amixer sset $(peak_memory amixer -D vcard sset Master 30000)"
}

# Watches a point inside both windows, which open at the top-left corner (no window manager); then
# SETTLE_MS PROGRAM [ARGUMENT...].
paint_probe=("$work/bin/first_paint" "$work/Xvfb_screen0" 290 140)

# The commands take turns, $paint_rounds rounds, so that the machine's drift reaches them alike; prints the median of
# each, in microseconds, in the order given. Each command is one word list: "PROGRAM [ARGUMENT...]".
median_first_paints() {
  local i command
  for command in "$@"; do
    read -ra command <<<"$command"
    "${paint_probe[@]}" 0 "${command[@]}" >/dev/null  # caches warm
  done
  for _ in $(seq "$paint_rounds"); do
    for ((i = 1; i <= $#; i++)); do
      read -ra command <<<"${!i}"
      echo "$i $("${paint_probe[@]}" 0 "${command[@]}")"
    done
  done >"$work/paints"
  for ((i = 1; i <= $#; i++)); do
    awk -v i="$i" '$1 == i {print $2}' "$work/paints" | sort -n | awk '{t[NR] = $1} END {print t[int((NR + 1) / 2)]}'
  done
}

# Usage: bench_window_start DEVICE_DESCRIPTION
bench_window_start() {
  local bare="$work/bin/minimal_window" text="$work/bin/minimal_window text" own minimal with_text
  read -r -d '' own minimal with_text < <(median_first_paints "$sonaru" "$bare" "$text") || true
  echo "Window on Xvfb, its mixer on $1, from exec to first paint (medians of $paint_rounds alternated rounds;" \
    "ratio = sonaru / yardstick):"
  awk -v own="$own" -v minimal="$minimal" -v with_text="$with_text" 'BEGIN {
    printf "  sonaru %.1f ms | minimal Qt 6 window %.1f ms, ratio %.2f | with one line of text %.1f ms, ratio %.2f\n",
      own / 1e3, minimal / 1e3, own / minimal, with_text / 1e3, own / with_text}'
  # The probe waits for the program it starts: its peak is the window's.
  echo "  peak memory, shown for 0.5 s: sonaru $(peak_memory "${paint_probe[@]}" 500 "$sonaru")," \
    "minimal window $(peak_memory "${paint_probe[@]}" 500 "$bare")"
}


# A move's way from XTEST to a Qt 6 window that does nothing with it, the minimal window: the part of the
# drag's latency that no Qt window avoids (Xvfb, Qt's event thread, the main loop). Sets move_floor (µs).
measure_move_floor() {
  move_floor=$("$work/bin/move_probe" "$work/bin/minimal_window" moves | sed -n 's/^latency_us=//p')
  [ -n "$move_floor" ] || die "the minimal window heard no move"
  echo "  a move's way from XTEST to a minimal Qt 6 window: $move_floor µs, part of each latency below"
}

# The C loop on DEVICE before and after the window dragged on it (the device's speed drifts: a file
# system's flushes, a server's load), each 2 s; the drag lasts 4 s. Usage: compare_drag LABEL DEVICE
# PROBE_WATCH_ARGUMENTS...
compare_drag() {
  local label=$1 device=$2 loop_before loop_after result
  shift 2
  loop_before=$("$work/bin/volume_loop" "$device" 2)
  SONARU_MIXER_DEVICE=$device "$sonaru" 2>>"$work/window.log" &
  window=$!
  result=$("$work/bin/drag_probe" "$@" "$device" 4) || die "the drag on $label failed"
  kill "$window"
  wait "$window" 2>/dev/null || true
  window=""
  loop_after=$("$work/bin/volume_loop" "$device" 2)
  echo "$loop_before $loop_after $result" | tr ' ' '\n' | awk -F= -v label="$label" -v floor="$move_floor" '
    NR <= 4 {loop[NR] = $1; next}
    {v[$1] = $2}
    END {rate = (loop[1] + loop[3]) / 2; call = (loop[2] + loop[4]) / 2
         printf "  %s: C loop %d levels/s (%d before, %d after), %.0f µs a call | window %d levels/s, ratio %.2f; latency %d µs, ratio %.2f\n",
           label, rate, loop[1], loop[3], call, v["levels_per_second"], v["levels_per_second"] / rate, v["latency_us"], v["latency_us"] / call
         printf "    latency less the move'\''s way to a Qt window: %d µs, ratio %.2f\n", v["latency_us"] - floor, (v["latency_us"] - floor) / call
         printf "    %d write(s) a level; %d moves, one every %d µs: %d writes, the last %.1f ms after the last move; last position'\''s level kept: %s\n",
           v["writes_per_level"], v["moves"], v["interval_us"], v["writes"], v["backlog_ms"], v["final_kept"]}'
}

ensure_packages
isolate
build_helpers
install_program
use_virtual_card
print_machine
bench_command_line "the virtual card, ALSA configured for it alone"
bench_command_memory
# A black root that the windows' first pictures change, and a screen file to watch it in; kept across
# clients.
start_x_server -br -noreset -fbdir "$work" || die "Xvfb did not start"
start_session_bus || die "dbus-daemon did not start"
bench_window_start "the virtual card"
echo "Drag of the VOL thumb on Xvfb (ratios: window / C loop of snd_mixer_selem_set_playback_volume_all):"
measure_move_floor
compare_drag "virtual card" vcard --card-file "$SONARU_VCARD_FILE"
# The machine's own ALSA configuration, whose default device is PulseAudio's.
unset ALSA_CONFIG_PATH SONARU_VCARD_FILE
# shellcheck disable=SC2119  # no module beyond the null sink
start_pulseaudio || die "PulseAudio did not start"
compare_drag "PulseAudio" pulse --pulse
bench_window_start "PulseAudio"
bench_command_line "a private PulseAudio server's null sink, the stock ALSA configuration"
