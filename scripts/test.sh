#!/usr/bin/env bash
# Builds Sonaru with its tests and runs every test: release build, then the unit tests under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --workflow --preset test
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
