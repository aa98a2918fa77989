# Sourced by the scripts: a virtual screen for the dialog program when there is no display.
# shellcheck shell=bash
xvfb_pid=""

# Uses $DISPLAY when it answers; otherwise starts Xvfb on a free display number and exports it.
xvfb_start() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    return 0
  fi
  local number
  for number in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries
    for tries in $(seq 1 50); do
      if xdpyinfo -display ":$number" >/dev/null 2>&1; then
        export DISPLAY=":$number"
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "xvfb: could not start a virtual screen" >&2
  return 1
}

xvfb_stop() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}
