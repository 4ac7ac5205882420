#!/usr/bin/env bash
# Runs every reader's fuzz target for a while, two at a time, each from its
# committed corpus; new inputs and crashes go to build-fuzz/fuzz/long/.
#   scripts/fuzz.sh [seconds per target, default 60]
# Prints each target's runs and whether it found anything.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
cd "$here"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
out="$here/build-fuzz/fuzz/long"
rm -rf "$out"
targets=(profile settings document holiday noneterm memo)
run() {
  local name=$1
  mkdir -p "$out/$name/new" "$out/$name/crashes"
  if "$here/build-fuzz/fuzz/${name}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$out/$name/crashes/" "$out/$name/new" "$here/fuzz/corpus/$name" >"$out/$name.log" 2>&1; then
    echo "$name: $(grep -m1 '^stat::number_of_executed_units' "$out/$name.log" | awk '{print $2}') runs, nothing found"
  else
    echo "$name: FOUND an input that breaks it: $(ls "$out/$name/crashes")"
  fi
}
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  run "${targets[i]}" &
  [ -n "${targets[i + 1]:-}" ] && run "${targets[i + 1]}" &
  wait
done
