# Shared by the end-to-end tests: a private X server and bounded waits.
# Source it; it defines start_xvfb, wait_for_window, wait_for_exit, the
# screen helpers (shot, snapshot, wait_drawn, wait_screen_change,
# input_handled) and check.

# start_xvfb: a private Xvfb on a display it picks itself (-displayfd: tests
# started at the same time never race for one); its screen is kept in the
# file $XVFB_FB (-fbdir), read by the screen helpers.
start_xvfb() {
  XVFB_DIR=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset -fbdir "$XVFB_DIR" \
    3>"$XVFB_DIR/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  XVFB_FB="$XVFB_DIR/Xvfb_screen0"
  for _ in $(seq 1 300); do
    # The number comes whole, with its newline, once the server is ready.
    if [ -s "$XVFB_DIR/display" ] && [ -z "$(tail -c 1 "$XVFB_DIR/display")" ]; then
      DISPLAY=":$(cat "$XVFB_DIR/display")"
      export DISPLAY
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "Xvfb did not start"
  return 1
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  [ -n "${XVFB_DIR:-}" ] && rm -rf "$XVFB_DIR"
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# shot FILE [SIZE]: the program's window (at the top left) as PNG.
shot() { convert "xwd:$XVFB_FB" -crop "${2:-800x600}+0+0" +repage "$1"; }

# snapshot FILE: the screen as it is now, to tell later whether it changed.
snapshot() { cp "$XVFB_FB" "$1"; }

# settle: waits until the screen has stayed the same for a tenth of a
# second (for at most 3 s: a screen that moves on its own).
settle() {
  local last="$XVFB_DIR/settle" end
  end=$(( $(now_ms) + 3000 ))
  cp "$XVFB_FB" "$last"
  while [ "$(now_ms)" -lt "$end" ]; do
    sleep 0.1
    cmp -s "$XVFB_FB" "$last" && return 0
    cp "$XVFB_FB" "$last"
  done
}

# wait_screen_change FILE SECONDS: waits until the screen differs from the
# snapshot FILE, then until it settles; 1 if it never changes.
wait_screen_change() {
  local end
  end=$(( $(now_ms) + $2 * 1000 ))
  while cmp -s "$XVFB_FB" "$1"; do
    if [ "$(now_ms)" -ge "$end" ]; then
      echo "gave up after $2 s waiting for the screen to change"
      return 1
    fi
    sleep 0.02
  done
  settle
}

# wait_drawn SECONDS [SIZE]: waits until the program has drawn a picture
# (more colours than a blank window and a pointer), then until it settles.
wait_drawn() {
  local end
  end=$(( $(now_ms) + $1 * 1000 ))
  until [ "$(convert "xwd:$XVFB_FB" -crop "${2:-800x600}+0+0" -format %k info:)" -gt 4 ]; do
    if [ "$(now_ms)" -ge "$end" ]; then
      echo "gave up after $1 s waiting for the program's first picture"
      return 1
    fi
    sleep 0.1
  done
  settle
}

# input_handled: returns once the program has handled every key sent so far
# and shown what they did. The program draws its own pointer and handles its
# input in order: a nudge of the pointer is on the screen only after all that
# came before it. The pointer is nudged back where it was.
input_handled() {
  local before="$XVFB_DIR/before"
  snapshot "$before"
  xdotool mousemove_relative -- 1 0
  wait_screen_change "$before" 10 || return 1
  snapshot "$before"
  xdotool mousemove_relative -- -1 0
  wait_screen_change "$before" 10
}

# wait_for_window NAME SECONDS: prints the window id once it is mapped.
wait_for_window() {
  local id
  for _ in $(seq 1 $(( $2 * 20 ))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.05
  done
  return 1
}

# wait_for_exit PID SECONDS: the process's exit status, or 124 on time-out.
wait_for_exit() {
  for _ in $(seq 1 $(( $2 * 50 ))); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      return $?
    fi
    sleep 0.02
  done
  kill "$1" 2>/dev/null
  return 124
}

# check DESCRIPTION CONDITION...: counts a passed or failed condition;
# finish_checks prints the tally and fails when any check failed.
passed=0
failed=0
check() {
  local what="$1"
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}

finish_checks() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
