#!/usr/bin/env bash
# Runs a command (a test under Wine) with DISPLAY on an X server of its own, stopped at the end. Exits with
# the command's status, or 77 (skipped) when Xvfb is not installed.
set -euo pipefail

command -v Xvfb >/dev/null || {
  echo "Xvfb missing: skipped" >&2
  exit 77
}

source "$(dirname "$0")/../../support/private_servers.sh"
start_x_server

status=0
"$@" || status=$?
exit "$status"
