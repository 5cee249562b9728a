#!/usr/bin/env bash
# The X server going away while the window is open ends the program promptly
# (no hang, no crash) with a non-zero exit code: with the window idle, and in
# the middle of an edit.
source "$(dirname "$0")/lib.sh"

for moment in idle editing; do
    start_x
    start_app
    if [ "$moment" = editing ]; then
        click_page 500 10        # field 1: its editor opens
        click_page 520 30
        xdotool type --delay 30 'abc'
    fi
    kill -KILL "$XVFB_PID" "$WM_PID"
    wait "$XVFB_PID" "$WM_PID" 2>/dev/null || true
    XVFB_PID="" WM_PID=""
    wait_app
    [ "$EXIT_CODE" != running ] || fail "$moment: the program still runs 5 s after the X server went away"
    [ "$EXIT_CODE" -ne 0 ] || fail "$moment: the program ended with exit code 0 after losing its display"
    [ "$EXIT_CODE" -lt 128 ] || fail "$moment: the program died of signal $((EXIT_CODE - 128)): $(tail -n 5 "$WORK/app.out")"
    echo "$moment: ended with exit code $EXIT_CODE: $(tail -n 1 "$WORK/app.out")"
done
echo "PASS"
