#!/usr/bin/env bash
# Adds to each kept corpus under tests/corpus/ the few inputs of the long runs
# (OUT/NAME/corpus) that add the most coverage: one at a time, the input with the most
# features (edges, not hit counts) that the kept corpus and the inputs already chosen lack,
# up to COUNT a target, none that adds nothing.
# Usage: fuzz-keep.sh [FUZZER_DIR] [COUNT] [OUT]
# FUZZERS="btree_scan decode" keeps to the targets named.
set -euo pipefail
source "$(dirname "$0")/fuzz-common.sh"
dir=${1:-build/fuzz/fuzz}
count=${2:-10}
out=${3:-build/fuzz-long}
find_fuzzers "$dir"
for f in "${fuzzers[@]}"; do
  name=$(basename "$f")
  kept=$(kept_corpus "$f")
  [ -d "$out/$name/corpus" ] || continue
  found=$(cd "$out/$name/corpus" && pwd)
  mkdir -p "$kept"
  work=$(mktemp -d)
  mkdir "$work/merged"
  # The control file of a merge lists the features of every input, kept or found.
  if ! "$f" -merge=1 -use_counters=0 -timeout=5 -rss_limit_mb=2048 \
       -merge_control_file="$work/control" "$work/merged" "$kept" "$found" \
       >"$work/log" 2>&1; then
    tail -20 "$work/log"
    echo "fuzz-keep: $name: the merge failed; see $work" >&2
    exit 1
  fi
  mapfile -t chosen < <(awk -v kept="$kept/" -v count="$count" '
    NR == 1 { n = $1; next }
    NR == 2 { next }
    NR <= n + 2 { path[NR - 3] = $0; next }
    $1 == "FT" { features[$2] = $0 }
    END {
      for (i = 0; i < n; i++) {
        if (index(path[i], kept) != 1 || !(i in features)) continue
        m = split(features[i], a, " ")
        for (j = 3; j <= m; j++) have[a[j]] = 1
      }
      for (round = 0; round < count; round++) {
        best = -1; most = 0
        for (i = 0; i < n; i++) {
          if (index(path[i], kept) == 1 || (i in taken) || !(i in features)) continue
          m = split(features[i], a, " "); c = 0
          for (j = 3; j <= m; j++) if (!(a[j] in have)) c++
          if (c > most) { most = c; best = i }
        }
        if (best < 0) break
        taken[best] = 1
        print path[best]
        m = split(features[best], a, " ")
        for (j = 3; j <= m; j++) have[a[j]] = 1
      }
    }' "$work/control")
  for input in "${chosen[@]}"; do cp "$input" "$kept/"; done
  echo "$name: ${#chosen[@]} inputs kept in ${kept#"$top"/}"
  rm -rf "$work"
done
