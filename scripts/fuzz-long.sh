#!/usr/bin/env bash
# Runs each libFuzzer target for a long while with a per-input time-out, keeping what it
# finds: new corpus entries in OUT/NAME/corpus (read again by the next long run, beside the
# kept corpus, which is only read) and crashes, leaks and slow inputs in OUT/NAME/findings.
# After a finding the target starts again for the time left, up to MAX_FINDINGS times.
# Prints a tally a target and exits with status 1 when anything was found.
# Usage: fuzz-long.sh [FUZZER_DIR] [SECONDS_EACH] [TIMEOUT_SECONDS] [OUT]
# FUZZERS="btree_scan decode" keeps to the targets named.
set -euo pipefail
source "$(dirname "$0")/fuzz-common.sh"
dir=${1:-build/fuzz/fuzz}
seconds=${2:-3600}
timeout=${3:-5}
out=${4:-build/fuzz-long}
max_findings=${MAX_FINDINGS:-5}
find_fuzzers "$dir"
status=0
tally=()
for f in "${fuzzers[@]}"; do
  name=$(basename "$f")
  kept=$(kept_corpus "$f")
  corpus="$out/$name/corpus"
  findings="$out/$name/findings"
  log="$out/$name/log"
  mkdir -p "$corpus" "$findings"
  seeds=()
  [ -d "$kept" ] && seeds+=("$kept")
  entries_before=$(find "$corpus" -type f | wc -l)
  found_before=$(find "$findings" -type f | wc -l)
  start=$(date +%s)
  found=0
  echo "== $name for ${seconds}s, ${timeout}s per input (log: $log)"
  while :; do
    left=$((seconds - ($(date +%s) - start)))
    [ "$left" -gt 0 ] && [ "$found" -lt "$max_findings" ] || break
    if ! "$f" -max_total_time="$left" -timeout="$timeout" -rss_limit_mb=2048 \
         -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" \
         >>"$log" 2>&1; then
      found=$((found + 1))
      grep -E '^(==[0-9]+==ERROR|SUMMARY|artifact_prefix)|Test unit written' "$log" | tail -3
    fi
  done
  elapsed=$(($(date +%s) - start))
  entries=$(( $(find "$corpus" -type f | wc -l) - entries_before ))
  new_findings=$(( $(find "$findings" -type f | wc -l) - found_before ))
  line="$name: $((elapsed / 60)) min $((elapsed % 60)) s, $entries new corpus entries, $new_findings findings"
  echo "$line"
  tally+=("$line")
  [ "$found" -eq 0 ] || status=1
done
echo "== fuzz-long tally"
printf '%s\n' "${tally[@]}"
exit $status
