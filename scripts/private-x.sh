# A private X server (Xvfb) with a window manager (openbox), for the
# end-to-end tests and the benchmark. Source it; it needs WORK, a folder for
# the servers' logs.

# Waits until a command succeeds, for at most $1 tenths of a second.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# start_private_x FIRST LAST WIDTH HEIGHT: Xvfb on the first free display
# number from FIRST to LAST, then openbox. Sets DISPLAY, XVFB_PID and WM_PID;
# says what failed and returns 1 when either does not start.
start_private_x() {
    local n
    XVFB_PID=""
    for n in $(seq "$1" "$2"); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${3}x${4}x24" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        wait_for 50 xdpyinfo && break
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    [ -n "$XVFB_PID" ] || { echo "no X server could be started" >&2; return 1; }
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    wait_for 50 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        { echo "openbox did not start" >&2; return 1; }
}
