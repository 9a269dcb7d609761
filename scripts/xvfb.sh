# Sourced by the scripts: starts a private X server when there is no DISPLAY and stops it on exit.
if [ -z "${DISPLAY:-}" ]; then
  for display_number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X${display_number}" ] || [ -e "/tmp/.X${display_number}-lock" ] && continue
    Xvfb ":${display_number}" -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
    tx_xvfb_pid=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X${display_number}" ] && break
      sleep 0.1
    done
    export DISPLAY=":${display_number}"
    trap 'kill "$tx_xvfb_pid" 2>/dev/null || true' EXIT
    break
  done
fi
