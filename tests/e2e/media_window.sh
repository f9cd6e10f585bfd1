#!/usr/bin/env bash
# The media demo form in a real SDL window on a virtual X display, with SDL's dummy audio
# driver standing for a sound card: the wave, the MIDI piece (FluidSynth and the sound
# font) and a movie with its sound track are started with clicks, and the program must
# take them without a complaint and end cleanly. What the video view shows at the end
# is checked through the screen the program writes then. Run inside xvfb-run:
#   media_window.sh LX98 DISC WORK
set -euo pipefail
lx98=$1
disc=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
dump="$work/dump.txt"

SDL_AUDIODRIVER=dummy "$lx98" --disc "$disc" --form media.frm --set "DumpAtExit=$dump" \
  >"$work/out.txt" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=$(xdotool search --sync --onlyvisible --name "Zazuzadov Lumbra 98" | head -1)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
scale=$(( WIDTH / 640 < HEIGHT / 480 ? WIDTH / 640 : HEIGHT / 480 ))
left=$(( X + (WIDTH - 640 * scale) / 2 ))
top=$(( Y + (HEIGHT - 480 * scale) / 2 ))
click() { xdotool mousemove --sync $(( left + $1 * scale )) $(( top + $2 * scale )) click 1; sleep 0.3; }

click 430 199   # Som: the wave
click 560 199   # Música: the MIDI piece
click 430 89    # MPEG: the movie with its sound track
sleep 0.5
xdotool key alt+F4

for _ in $(seq 1 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then
  echo "media_window: the program did not end after Alt+F4" >&2
  exit 1
fi
trap - EXIT
wait $pid || { echo "media_window: the program failed" >&2; cat "$work/out.txt" >&2; exit 1; }

fail=0
if grep -q "lx98: " "$work/out.txt"; then
  echo "media_window: the program complained:" >&2
  cat "$work/out.txt" >&2
  fail=1
fi
# Playing when the window closed, or ended already: either way the movie opened and ran.
if ! grep -Eq '^  \(control \("Name" "Video"\).*\("Status" "(playing|ended)"\)' "$dump"; then
  echo "media_window: the video view did not play the movie" >&2
  cat "$dump" >&2
  fail=1
fi
[ $fail -eq 0 ] || exit 1
echo "media_window: ok at ${scale}x"
