#!/usr/bin/env bash
# Every way of closing the window ends the program at once with exit code 0,
# with no question asked; Esc with a modifier does not close it.
source "$(dirname "$0")/lib.sh"
start_x

expect_closed_by() {
    wait_app
    [ "$EXIT_CODE" = 0 ] || fail "after $1 the program $([ "$EXIT_CODE" = running ] && echo "still runs" || echo "ended with $EXIT_CODE")"
    echo "closed by $1"
}

# Esc with Ctrl, Shift or Alt held leaves the window open; Esc alone closes it.
start_app
for keys in ctrl+Escape shift+Escape alt+Escape; do
    xdotool key "$keys"
    sleep 0.3
    app_running || fail "$keys closed the window"
done
xdotool key Escape
expect_closed_by Esc

# Esc while an edit box has the keyboard focus, with text typed into it.
start_app
click_page 500 10            # field 1: shows its edit box at (494, 20)
click_page 520 30            # into the edit box
xdotool type --delay 30 'abc'
xdotool key Escape
expect_closed_by "Esc while typing"

# Alt+F4, the window manager's key for closing.
start_app
xdotool key alt+F4
expect_closed_by Alt+F4

# The close button on the title bar, drawn by the window manager.
start_app
read -r fl fr ft _ < <(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
read -r cw < <(xwininfo -id "$WIN" | awk '/Width:/ {print $2}')
xdotool mousemove $((CLIENT_X + cw + fr - 10)) $((CLIENT_Y - ft / 2)) click 1
expect_closed_by "the close button"

echo "PASS"
