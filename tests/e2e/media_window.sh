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

source "$(dirname "$0")/window_support.sh"
start_program media_window "$work" env SDL_AUDIODRIVER=dummy "$lx98" --disc "$disc" \
  --form media.frm --set "DumpAtExit=$dump"

click 430 199   # Som: the wave
click 560 199   # Música: the MIDI piece
click 430 89    # MPEG: the movie with its sound track
sleep 0.5
xdotool key alt+F4

wait_for_end Alt+F4

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
