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
cp "$(dirname "$0")/sample_card.txt" "$work/card"
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
