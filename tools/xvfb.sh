# Sourced: when no display is set, starts Xvfb on a free display and exports
# DISPLAY; XVFB_PID names the server to stop (only the one started here).
XVFB_PID=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      break
    fi
    XVFB_PID=""
  done
  if [ -z "${DISPLAY:-}" ]; then echo "could not start Xvfb" >&2; exit 1; fi
fi
