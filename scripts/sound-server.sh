# Sourced by test.sh: a sound server for the tests that play through a real audio output.
# A server that already runs (a desktop's) is used as it is. Otherwise a private
# PulseAudio with a null sink is started in a folder of its own: no session bus, no
# terminal and root (as on CI) are all fine for it. It is stopped when the script ends.
# On CI it must run; elsewhere the sound tests are skipped without one.

sound_server_dir=""
sound_server_pid=""

sound_server_running() {
  if command -v pactl >/dev/null 2>&1; then
    pactl info >/dev/null 2>&1
  else
    [ -n "${PULSE_SERVER:-}" ] || [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ]
  fi
}

sound_server_stop() {
  if [ -n "$sound_server_pid" ]; then
    kill "$sound_server_pid" 2>/dev/null || true
    wait "$sound_server_pid" 2>/dev/null || true
    sound_server_pid=""
  fi
  if [ -n "$sound_server_dir" ]; then
    rm -rf "$sound_server_dir"
    sound_server_dir=""
  fi
}

sound_server_missing() {
  if [ "${CI:-}" = true ]; then
    echo "error: no sound server for the sound tests: $1" >&2
    [ -n "$sound_server_dir" ] && cat "$sound_server_dir/log" >&2 2>/dev/null
    sound_server_stop
    exit 1
  fi
  echo "warning: no sound server ($1); the tests that play sound are skipped" >&2
  sound_server_stop
}

sound_server_start() {
  if sound_server_running; then
    export VORNHELM_SOUND_SERVER=1
    return
  fi
  if ! command -v pulseaudio >/dev/null 2>&1; then
    sound_server_missing "pulseaudio is not installed"
    return
  fi
  sound_server_dir=$(mktemp -d /tmp/vornhelm-sound.XXXXXX)
  mkdir -p "$sound_server_dir/pulse" "$sound_server_dir/config"
  chmod 700 "$sound_server_dir"
  trap sound_server_stop EXIT
  local socket="$sound_server_dir/pulse/native"
  XDG_RUNTIME_DIR="$sound_server_dir" HOME="$sound_server_dir" XDG_CONFIG_HOME="$sound_server_dir/config" \
    DBUS_SESSION_BUS_ADDRESS=disabled: \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --system=false --use-pid-file=false \
      -L module-null-sink -L "module-native-protocol-unix auth-anonymous=1 socket=$socket" \
      </dev/null >"$sound_server_dir/log" 2>&1 &
  sound_server_pid=$!
  for _ in $(seq 1 100); do
    [ -S "$socket" ] && break
    kill -0 "$sound_server_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$socket" ] || ! kill -0 "$sound_server_pid" 2>/dev/null; then
    sound_server_missing "pulseaudio did not start"
    return
  fi
  export PULSE_SERVER="unix:$socket" VORNHELM_SOUND_SERVER=1
  if command -v pactl >/dev/null 2>&1 && ! pactl info >/dev/null 2>&1; then
    unset PULSE_SERVER VORNHELM_SOUND_SERVER
    sound_server_missing "pulseaudio does not answer"
    return
  fi
  echo "Sound server for the tests: $PULSE_SERVER (null sink)"
}
