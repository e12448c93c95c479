#!/usr/bin/env bash
# The project's static checks over src/: clang-tidy with the project's .clang-tidy, on the compile commands of
# a configured build (build/release unless another folder is given). Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[ -f "$build/compile_commands.json" ] || cmake --preset release >/dev/null
command -v run-clang-tidy >/dev/null || { echo "run-clang-tidy is missing (Debian's clang-tidy)" >&2; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "$PWD/src/" >"$log" 2>&1 || status=$?
sed "s/\x1b\[[0-9;]*m//g" "$log" | grep -E -A3 "(warning|error):" || true
[ "$status" -eq 0 ] && echo "clang-tidy: src/ is clean"
exit "$status"
