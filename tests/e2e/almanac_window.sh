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

"$lx98" --disc "$disc" --user-dir "$work/user" --set "DumpAtExit=$dump" >"$work/out.txt" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=$(xdotool search --sync --onlyvisible --name "Zazuzadov Lumbra 98" | head -1)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
scale=$(( WIDTH / 640 < HEIGHT / 480 ? WIDTH / 640 : HEIGHT / 480 ))
left=$(( X + (WIDTH - 640 * scale) / 2 ))
top=$(( Y + (HEIGHT - 480 * scale) / 2 ))
click() { xdotool mousemove --sync $(( left + $1 * scale )) $(( top + $2 * scale )) click 1; sleep 0.6; }

xdotool key Return; sleep 0.8          # the introduction ends
click 520 150                          # the atlas tile
click 594 20                           # Sair: the quit dialog opens
click 260 285                          # Sim

for _ in $(seq 1 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then
  echo "almanac_window: the almanac did not end after Sim" >&2
  exit 1
fi
trap - EXIT
wait $pid || { echo "almanac_window: the program failed" >&2; cat "$work/out.txt" >&2; exit 1; }
if ! grep -q '"Name" "AtlasHForm"' "$dump"; then
  echo "almanac_window: the atlas' home was not on screen at the end" >&2
  cat "$dump" >&2
  exit 1
fi
[ -f "$work/user/PREFS.DAT" ] || { echo "almanac_window: the preferences were not saved" >&2; exit 1; }
echo "almanac_window: ok at ${scale}x"
