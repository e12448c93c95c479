#!/usr/bin/env bash
# Builds Sonaru and starts it, passing on any arguments (none opens the window).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/app -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/app -j "$(nproc)"
exec build/app/sonaru "$@"
