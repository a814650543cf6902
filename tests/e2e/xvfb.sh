# Shared by the end-to-end tests: a private X server and bounded waits.
# Source it; it defines start_xvfb, wait_for_window, wait_for_exit and check.

start_xvfb() {
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      DISPLAY=":$n"
      break
    fi
  done
  export DISPLAY
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY"
  return 1
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
}

# wait_for_window NAME SECONDS: prints the window id once it is mapped.
wait_for_window() {
  local id
  for _ in $(seq 1 $(( $2 * 10 ))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# wait_for_exit PID SECONDS: the process's exit status, or 124 on time-out.
wait_for_exit() {
  for _ in $(seq 1 $(( $2 * 10 ))); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      return $?
    fi
    sleep 0.1
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
