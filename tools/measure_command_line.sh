#!/usr/bin/env bash
# Times `sonaru /S:30000` against `amixer sset Master 30000` on the tests' virtual card, 20 runs each.
# Usage: tools/measure_command_line.sh [build folder with tests, default build/release]
set -euo pipefail
build=${1:-build/release}
conf=$build/tests/vcard/vcard.conf
[ -f "$conf" ] || { echo "no $conf: build the tests first (cmake --workflow --preset test)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/sonaru" "$work/sonaru"
cat > "$work/card" <<'CARD'
Master Playback Volume;int;0;65535;45000 45000
Master Playback Switch;bool;0;1;1 1
PCM Playback Volume;int;0;65535;50000 50000
PCM Playback Switch;bool;0;1;1 1
Mic Capture Volume;int;0;31;10
Mic Capture Switch;bool;0;1;1
Line Playback Volume;int;0;31;20 20
Line Playback Switch;bool;0;1;1 1
CD Playback Volume;int;0;255;100 100
CD Playback Switch;bool;0;1;0 0
Synth Playback Volume;int;0;65535;1000 1000
Synth Playback Switch;bool;0;1;1 1
CARD
export ALSA_CONFIG_PATH=$(realpath "$conf") SONARU_VCARD_FILE=$work/card
unset SONARU_MIXER_DEVICE DISPLAY WAYLAND_DISPLAY

time_runs() {
  local start end
  start=$(date +%s%N)
  for _ in $(seq 20); do "$@" >/dev/null; done
  end=$(date +%s%N)
  echo "$(( (end - start) / 20000 )) µs per run: $*"
}
time_runs "$work/sonaru" /S:30000
time_runs amixer -q -D vcard sset Master 30000
