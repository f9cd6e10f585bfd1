# Shared by the fuzz scripts: finds the libFuzzer targets and their kept corpora.
# Sourced, not run.

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Fills the array `fuzzers` with the targets under $1, keeping only those named in
# $FUZZERS (names without the fuzz_ prefix, separated by spaces) when it is set.
# Exits with status 1 when none is left.
find_fuzzers() {
  local dir=$1 all f name
  mapfile -t all < <(find "$dir" -type f -name 'fuzz_*' -perm -u+x | sort)
  fuzzers=()
  for f in "${all[@]}"; do
    name=$(basename "$f")
    if [ -z "${FUZZERS:-}" ] || [[ " $FUZZERS " == *" ${name#fuzz_} "* ]]; then
      fuzzers+=("$f")
    fi
  done
  if [ ${#fuzzers[@]} -eq 0 ]; then
    echo "$(basename "$0"): no fuzzers under $dir${FUZZERS:+ named $FUZZERS}" >&2
    exit 1
  fi
}

# The kept corpus of a target (tests/corpus/NAME for fuzz_NAME); it may not exist.
kept_corpus() {
  local name
  name=$(basename "$1")
  echo "$top/tests/corpus/${name#fuzz_}"
}
