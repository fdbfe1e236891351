# Starts a private Xvfb on a free display and exports DISPLAY; stop_xvfb ends it.
XVFB_PID=""
start_xvfb() {
  local fifo n
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  if ! read -r -t 20 n <"$fifo"; then
    rm -f "$fifo"
    kill "$XVFB_PID" 2>/dev/null || true
    echo "error: Xvfb did not start; check that the xvfb package is installed (scripts/setup installs it)." >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$n"
}
stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}
