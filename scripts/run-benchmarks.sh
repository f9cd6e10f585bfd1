#!/usr/bin/env bash
# Runs every benchmark program in the given directory and the folders under it, one
# after the other.
set -euo pipefail
dir=${1:-build/release/bench}
shopt -s nullglob
for b in "$dir"/bench_* "$dir"/*/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
