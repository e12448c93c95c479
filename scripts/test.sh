#!/usr/bin/env bash
# Builds Sonaru with its tests and runs every test: release build, then the unit tests, the window's exit
# tests and the file and mixer backends' tests under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --workflow --preset test
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
# Real files and the virtual card rather than fakes, so labelled integration, but cheap to run under the
# sanitizers too.
ctest --test-dir build/asan --output-on-failure -R '^(PosixProfileFile|PosixProcess|AlsaMixer|.*LineChoice)'
