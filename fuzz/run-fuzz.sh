#!/bin/bash
# Runs every fuzz target (fuzz/<name>_fuzz.cpp, built as BUILD_DIR/fuzz_<name>) for
# SECONDS each, one after the other, from a fresh copy of its seed corpus and of its
# past findings, so the repo's folders are never written. Prints a summary table, also
# written to BUILD_DIR/figures.txt, and exits nonzero if any target found a crash.
# Usage: fuzz/run-fuzz.sh BUILD_DIR SECONDS
set -u

build=$1
seconds=$2
source_dir=$(cd "$(dirname "$0")" && pwd)
runs=$build/runs
figures=$build/figures.txt

# Inputs up to 4 KiB: arguments and registry values of up to 2,047 units, far past the
# 260-unit buffers.
max_len=4096
# One input that takes this long is reported as a hang.
input_timeout=25

rm -rf "$runs"
mkdir -p "$runs"

targets=()
for source in "$source_dir"/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  targets+=("$name")
done

failed=0
rows=()
crash_lines=()
for name in "${targets[@]}"; do
  fuzzer=$build/fuzz_$name
  dir=$runs/$name
  mkdir -p "$dir/corpus" "$dir/crashes"
  cp "$source_dir/corpus/$name"/* "$dir/corpus/"
  if [ -d "$source_dir/regressions/$name" ]; then
    cp "$source_dir/regressions/$name"/* "$dir/corpus/"
  fi
  seeds=$(find "$dir/corpus" -type f | wc -l)
  if [ ! -x "$fuzzer" ]; then
    echo "missing fuzzer $fuzzer" >&2
    exit 2
  fi
  echo "fuzzing $name for $seconds s ($seeds seeds), log in $dir/log"
  "$fuzzer" -max_total_time="$seconds" -max_len=$max_len -timeout=$input_timeout \
    -print_final_stats=1 -artifact_prefix="$dir/crashes/" "$dir/corpus" >"$dir/log" 2>&1
  status=$?

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$dir/log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]*' "$dir/log" | tail -1 | cut -d' ' -f2)
  files=$(find "$dir/corpus" -type f | wc -l)
  bytes=$(find "$dir/corpus" -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')
  crashes=$(find "$dir/crashes" -type f | wc -l)
  if [ "$status" -ne 0 ] && [ "$crashes" -eq 0 ]; then
    # The fuzzer failed without leaving an input behind: count it as a finding all the same.
    crashes=1
    crash_lines+=("$name: exited with status $status, see $dir/log")
  fi
  for crash in "$dir/crashes"/*; do
    [ -f "$crash" ] && crash_lines+=("$name: $crash")
  done
  [ "$crashes" -ne 0 ] && failed=1
  rows+=("$(printf '%-16s %12s %9s %8s %7s %9s %8s' "$name" "${executions:-?}" \
    "${rate:-?}" "${coverage:-?}" "$seeds" "$files/$bytes" "$crashes")")
done

{
  echo "Fuzzing: ${seconds} s per target, libFuzzer (clang $(clang++ -dumpversion)) with ASan and UBSan"
  printf '%-16s %12s %9s %8s %7s %9s %8s\n' target executions exec/s edges seeds corpus crashes
  printf '%s\n' "${rows[@]}"
  echo "corpus: files/bytes after the run, in $runs/<target>/corpus"
  if [ ${#crash_lines[@]} -eq 0 ]; then
    echo "crash inputs: none"
  else
    echo "crash inputs:"
    printf '  %s\n' "${crash_lines[@]}"
  fi
} | tee "$figures"

exit $failed
