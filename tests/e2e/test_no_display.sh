#!/usr/bin/env bash
# Without a display the program says so and ends with exit code -1 (255), no abort.
source "$(dirname "$0")/lib.sh"

for display in ":9876" ""; do
    code=0
    env DISPLAY="$display" QT_QPA_PLATFORM=xcb "$APP" >"$WORK/out" 2>"$WORK/err" || code=$?
    [ "$code" -eq 255 ] || fail "DISPLAY='$display': exit code $code; stderr: $(cat "$WORK/err")"
    grep -q 'receipt-mockup: cannot start the window system' "$WORK/err" || fail "no clear message: $(cat "$WORK/err")"
done
echo "PASS"
