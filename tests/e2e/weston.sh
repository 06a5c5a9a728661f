# Sourced by tests that need a Wayland compositor: a private headless Weston.
# Needs: weston, and Qt's Wayland platform (qt6-wayland).

start_weston() {
    XDG_RUNTIME_DIR=$(mktemp -d)
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
    weston --backend=headless-backend.so --socket=velmora-test --idle-time=0 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
    WESTON_PID=$!
    for _ in $(seq 600); do # a loaded machine may take seconds
        [ -S "$XDG_RUNTIME_DIR/velmora-test" ] && break
        sleep 0.05
    done
    [ -S "$XDG_RUNTIME_DIR/velmora-test" ] || { cat "$XDG_RUNTIME_DIR/weston.log" >&2; return 1; }
    export WAYLAND_DISPLAY=velmora-test QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland
    unset DISPLAY
}

stop_weston() {
    kill "${WESTON_PID:-}" 2>/dev/null
    wait "${WESTON_PID:-}" 2>/dev/null
    rm -rf "${XDG_RUNTIME_DIR:?}"
}
