#!/usr/bin/env bash
# The second demo form in a real SDL window on a virtual X display, driven with xdotool as
# a user would (clicks, typing, the wheel, Alt+F4); the program writes what is on screen
# when it ends, and that is checked. Run inside xvfb-run:
#   real_window.sh LX98 DISC WORK
set -euo pipefail
lx98=$1
disc=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
dump="$work/dump.txt"

source "$(dirname "$0")/window_support.sh"
start_program real_window "$work" "$lx98" --disc "$disc" --form lists.frm --set "DumpAtExit=$dump"
pause() { sleep 0.3; }

at 60 95; xdotool click 5; pause                 # the wheel: the country list three rows down
xdotool click 1; pause                           # its third row shown: the sixth country
at 410 78; xdotool click 1; pause                # the end of the name field
xdotool type --delay 40 "abc"; pause
at 100 240; xdotool click 1; pause               # the first colour
xdotool key --delay 60 shift+Down shift+Down; pause
xdotool key alt+F4

wait_for_end Alt+F4

fail=0
expect() {
  if ! grep -Eq "$1" "$dump"; then
    echo "real_window: the screen at the end lacks $2" >&2
    fail=1
  fi
}
[ "$scale" -ge 2 ] || { echo "real_window: the window opened at ${scale}x, not 2x" >&2; fail=1; }
expect '^  \(control \("Name" "Paises"\).*\("Selection" 5\)' "the sixth country chosen"
expect '^  \(control \("Name" "Nome"\).*\("Text" "Zazuzadovabc"\)' "the typed text"
expect '^  \(control \("Name" "Cores"\).*\("Selection" 2\)' "the colours chosen by Shift"
[ $fail -eq 0 ] || { cat "$dump" >&2; exit 1; }
echo "real_window: ok at ${scale}x"
