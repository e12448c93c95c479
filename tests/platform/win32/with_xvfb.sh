#!/usr/bin/env bash
# Runs a command (a test under Wine) with DISPLAY on an X server of its own, stopped at the end. Exits with
# the command's status, or 77 (skipped) when Xvfb is not installed.
set -euo pipefail

command -v Xvfb >/dev/null || {
  echo "Xvfb missing: skipped" >&2
  exit 77
}

work=$(mktemp -d)
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The first free display number, written by the server once it listens.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
server_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || {
  echo "Xvfb did not start" >&2
  exit 1
}
export DISPLAY=:$(head -n1 "$work/display")

status=0
"$@" || status=$?
exit "$status"
