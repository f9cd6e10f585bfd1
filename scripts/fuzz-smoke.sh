#!/usr/bin/env bash
# Gives each libFuzzer target a short run, seeded with its kept corpus under tests/corpus/.
# Any crash, leak, sanitizer report or input slower than the time-out fails the run.
# Usage: fuzz-smoke.sh [FUZZER_DIR] [SECONDS] [TIMEOUT_SECONDS]
set -euo pipefail
source "$(dirname "$0")/fuzz-common.sh"
dir=${1:-build/fuzz/fuzz}
seconds=${2:-30}
timeout=${3:-5}
find_fuzzers "$dir"
status=0
for f in "${fuzzers[@]}"; do
  name=$(basename "$f")
  corpus=$(kept_corpus "$f")
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
  echo "== $name for ${seconds}s, ${timeout}s per input"
  if ! "$f" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 \
       -print_final_stats=0 -artifact_prefix="$work/" "$work" >"$work.log" 2>&1; then
    tail -40 "$work.log"
    echo "fuzz-smoke: $name failed; inputs kept in $work" >&2
    status=1
  else
    tail -1 "$work.log"
    rm -rf "$work" "$work.log"
  fi
done
exit $status
