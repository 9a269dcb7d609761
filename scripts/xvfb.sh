# Sourced by the scripts: starts a private X server when there is no DISPLAY and stops it on exit.
if [ -z "${DISPLAY:-}" ]; then
  for display_number in $(seq 90 140); do
    if [ -e "/tmp/.X11-unix/X${display_number}" ] || [ -e "/tmp/.X${display_number}-lock" ]; then
      continue
    fi
    Xvfb ":${display_number}" -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
    tx_xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X${display_number}" ] && break
      kill -0 "$tx_xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    # Another server may have taken the number meanwhile: then try the next one.
    if kill -0 "$tx_xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X${display_number}" ]; then
      export DISPLAY=":${display_number}"
      trap 'kill "$tx_xvfb_pid" 2>/dev/null || true' EXIT
      break
    fi
    kill "$tx_xvfb_pid" 2>/dev/null || true
  done
  if [ -z "${DISPLAY:-}" ]; then
    echo "Could not start a private X server (Xvfb)" >&2
  fi
fi
