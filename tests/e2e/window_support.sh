# Shared by the real-window tests (sourced, not run): starts lx98 in the virtual X
# display, finds its window and where the media area lies in it, drives it in media-area
# coordinates, and waits for the program to end.

# start_program NAME WORK LX98 ARGS...: starts the program (output in WORK/out.txt) and
# sets pid, scale, left and top; the program is killed if the test stops early.
start_program() {
  test_name=$1 work=$2
  shift 2
  "$@" >"$work/out.txt" 2>&1 &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  # A search that meets a window going away while it walks the tree fails with BadWindow
  # (the desktop libraries make and drop helper windows at start): ask again.
  local window=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name "Zazuzadov Lumbra 98" 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "$test_name: no window appeared in ten seconds" >&2; exit 1; }
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
  # The media area is scaled by a whole number and centred in the window.
  scale=$(( WIDTH / 640 < HEIGHT / 480 ? WIDTH / 640 : HEIGHT / 480 ))
  left=$(( X + (WIDTH - 640 * scale) / 2 ))
  top=$(( Y + (HEIGHT - 480 * scale) / 2 ))
}

# at X Y: the mouse to that point of the media area.
at() { xdotool mousemove --sync $(( left + $1 * scale )) $(( top + $2 * scale )); }
# click X Y [PAUSE]: a click there, then a pause for the program to answer.
click() { at "$1" "$2"; xdotool click 1; sleep "${3:-0.3}"; }

# wait_for_end WHAT: waits up to five seconds for the program to end after WHAT, and
# fails the test when it does not, or when it ended with a failure.
wait_for_end() {
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "$test_name: the program did not end after $1" >&2
    exit 1
  fi
  trap - EXIT
  wait "$pid" || { echo "$test_name: the program failed" >&2; cat "$work/out.txt" >&2; exit 1; }
}
