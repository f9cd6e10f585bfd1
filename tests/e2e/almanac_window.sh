#!/usr/bin/env bash
# The almanac on its demo disc in a real SDL window on a virtual X display, driven with
# xdotool as a user would: Enter ends the introduction, a tile of the main screen opens the
# atlas, and quitting from its menu bar asks before it ends. The program writes what is on
# screen when it ends (the atlas' home) and saves the preferences on its way out.
# Run inside xvfb-run:
#   almanac_window.sh LX98 DEMO_DISC WORK
set -euo pipefail
lx98=$1
disc=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
dump="$work/dump.txt"

source "$(dirname "$0")/window_support.sh"
start_program almanac_window "$work" "$lx98" --disc "$disc" --user-dir "$work/user" \
  --set "DumpAtExit=$dump"

xdotool key Return; sleep 0.8          # the introduction ends
click 520 150 0.6                      # the atlas tile
click 594 20 0.6                       # Sair: the quit dialog opens
click 260 285 0.6                      # Sim

wait_for_end Sim
if ! grep -q '"Name" "AtlasHForm"' "$dump"; then
  echo "almanac_window: the atlas' home was not on screen at the end" >&2
  cat "$dump" >&2
  exit 1
fi
[ -f "$work/user/PREFS.DAT" ] || { echo "almanac_window: the preferences were not saved" >&2; exit 1; }
echo "almanac_window: ok at ${scale}x"
