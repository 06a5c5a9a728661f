# Sourced by the end-to-end tests: a private Xvfb, and the helpers that drive the game on it.
# Needs: Xvfb, xdotool.

# start_xvfb: a private Xvfb on a display number it picks itself (-displayfd), waited for until it
# accepts connections; sets XVFB_PID and DISPLAY.
start_xvfb() {
    local number
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
    XVFB_PID=$!
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    for _ in $(seq 600); do # it writes the number once it listens; a loaded machine may take seconds
        if grep -q '^[0-9]' "$number"; then
            export DISPLAY=":$(head -n 1 "$number")"
            rm -f "$number"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$number"
    echo "Xvfb did not start" >&2
    return 1
}

# start_game PROGRAM [ARGUMENT...]: starts it, waits for its window; sets GAME_PID and GAME_WINDOW.
start_game() {
    "$@" 2>"${GAME_LOG:-/dev/null}" &
    GAME_PID=$!
    GAME_WINDOW=
    for _ in $(seq 300); do
        GAME_WINDOW=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1 || true)
        [ -n "$GAME_WINDOW" ] && break
        sleep 0.1
    done
    [ -n "$GAME_WINDOW" ] || { echo "no window appeared" >&2; return 1; }
    xdotool windowfocus --sync "$GAME_WINDOW"
}

# start_bell_counter COUNTER FILE: counts the X server's bells into FILE, once it is listening.
start_bell_counter() {
    "$1" >"$2" &
    BELLS_PID=$!
    for _ in $(seq 300); do grep -q ready "$2" && return 0; sleep 0.1; done
    echo "the bell counter did not start" >&2
    return 1
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
