#!/usr/bin/env bash
# Gives each libFuzzer target a short run, seeded with its kept corpus under tests/corpus/.
# Any crash, leak or sanitizer report fails the run.
set -euo pipefail
dir=${1:-build/fuzz/fuzz}
seconds=${2:-30}
top=$(cd "$(dirname "$0")/.." && pwd)
status=0
mapfile -t fuzzers < <(find "$dir" -type f -name 'fuzz_*' -perm -u+x | sort)
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "fuzz-smoke: no fuzzers under $dir" >&2
  exit 1
fi
for f in "${fuzzers[@]}"; do
  name=$(basename "$f")
  corpus="$top/tests/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  if ! "$f" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 \
       -artifact_prefix="$work/" "$work" >"$work.log" 2>&1; then
    tail -40 "$work.log"
    echo "fuzz-smoke: $name failed; inputs kept in $work" >&2
    status=1
  else
    tail -1 "$work.log"
    rm -rf "$work" "$work.log"
  fi
done
exit $status
