#!/usr/bin/env bash
# Runs a command (a test under Wine) beside a private PulseAudio server with a null sink and a null source,
# on a socket of its own, so that Wine's winepulse driver has a playback and a capture device. Exits with
# the command's status, or 77 (skipped) when PulseAudio is not installed.
set -euo pipefail

command -v pulseaudio >/dev/null && command -v pactl >/dev/null || {
  echo "pulseaudio or pactl missing: skipped" >&2
  exit 77
}

# The command keeps the caller's HOME, and so its WINEPREFIX; the server and the clients' cookie do not.
source "$(dirname "$0")/../../support/private_servers.sh"
start_pulseaudio -L "module-null-source source_name=sonaru_mic"
pactl set-default-source sonaru_mic

status=0
"$@" || status=$?
exit "$status"
