# Sourced by the end-to-end tests: a private Xvfb, and the helpers that drive the game on it.
# Needs: Xvfb, xdotool.

start_xvfb() {
    local n
    for n in $(seq 140 239); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.05
    done
    echo "Xvfb did not start" >&2
    return 1
}

# start_game PROGRAM [ARGUMENT...]: starts it, waits for its window; sets GAME_PID and GAME_WINDOW.
start_game() {
    "$@" 2>"${GAME_LOG:-/dev/null}" &
    GAME_PID=$!
    GAME_WINDOW=
    for _ in $(seq 100); do
        GAME_WINDOW=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1 || true)
        [ -n "$GAME_WINDOW" ] && break
        sleep 0.1
    done
    [ -n "$GAME_WINDOW" ] || { echo "no window appeared" >&2; return 1; }
    xdotool windowfocus --sync "$GAME_WINDOW"
}

# click_at X Y: a left click at a point of the window's client area, in pixels.
click_at() {
    xdotool mousemove --window "$GAME_WINDOW" "$1" "$2" click 1
}

# wait_exit SECONDS: waits for the game to end within that time; sets GAME_STATUS to its exit
# status, or to "running" when it did not end.
wait_exit() {
    GAME_STATUS=running
    for _ in $(seq $(($1 * 20))); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            GAME_STATUS=0
            wait "$GAME_PID" || GAME_STATUS=$?
            return 0
        fi
        sleep 0.05
    done
}

stop_all() {
    kill "${GAME_PID:-}" "${BELLS_PID:-}" "${XVFB_PID:-}" 2>/dev/null
    wait 2>/dev/null
}
