#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (30 by default) on a copy of its seed
# corpus; fails when a target finds a crash, whose input is kept under BUILD_DIR/crashes.
# Usage: scripts/fuzz.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
build="${2:-build/fuzz}"
targets=(number_text profile_text arguments delay)

scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSONARU_BUILD_FUZZERS=ON >/dev/null
cmake --build "$build" -j 2 --target "${targets[@]/#/fuzz_}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/crashes"
failed=()
for target in "${targets[@]}"; do
  cp -r "tests/fuzz/corpus/$target" "$work/$target"
  echo "== fuzz_$target: ${seconds} s"
  if ! "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/crashes/$target-" "$work/$target"; then
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing found crashes in: ${failed[*]} (inputs under $build/crashes)" >&2
  exit 1
fi
