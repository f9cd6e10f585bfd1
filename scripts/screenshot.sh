#!/usr/bin/env bash
# Draws the main screen of the almanac headless on a disc and saves it as a PNG.
#   scripts/screenshot.sh LX98 DISC OUT.png
set -euo pipefail
lx98=$1 disc=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/script.txt" <<'SCRIPT'
key Enter
expect-form MainForm
move 320 470
shot tela
quit
click-control OKButton
SCRIPT
XDG_RUNTIME_DIR="$work" "$lx98" --headless --disc "$disc" --user-dir "$work/user" \
  --script "$work/script.txt" --shots "$work" > /dev/null
mkdir -p "$(dirname "$out")"
cp "$work/tela.png" "$out"
echo "$out"
