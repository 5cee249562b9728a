# Shared steps of the end-to-end tests: a private X server with a window
# manager, the real program, real input through xdotool, screenshots.
# Each test script sources this file and is called as: test_X.sh BINARY SOURCE_DIR

set -euo pipefail

APP=${1:?program path}
SOURCE_DIR=${2:?source directory}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/receipt-e2e.XXXXXX")
SCREEN_W=1600
SCREEN_H=900
XVFB_PID=""
WM_PID=""
APP_PID=""
# The real program on the real X server, whatever the test runner set for widget tests.
unset QT_QPA_PLATFORM
export LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ] && [ -n "$XVFB_PID" ]; then
        import -window root "$WORK/failure.png" 2>/dev/null && echo "screenshot: $WORK/failure.png" >&2
    fi
    exit 1
}

cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    [ -f "$WORK/failure.png" ] || rm -rf "$WORK"
}
trap cleanup EXIT

source "$SOURCE_DIR/scripts/private-x.sh"

start_x() { start_private_x 90 140 "$SCREEN_W" "$SCREEN_H" || fail "no private X session"; }

# Gives each character of $1 a key of its own before the program starts.
# xdotool otherwise remaps a spare key for every character that the keyboard
# map lacks, and a program that reads the map late may miss a character.
map_keys() {
    local free chars=$1 i=0
    mapfile -t free < <(xmodmap -pke | awk 'NF == 3 && $1 == "keycode" && $2 > 8 {print $2}')
    while IFS= read -r -n1 c; do
        [ -n "$c" ] || continue
        [ "$i" -lt "${#free[@]}" ] || fail "no free key for $c"
        xmodmap -e "keycode ${free[$i]} = $(printf 'U%04X' "'$c")"
        i=$((i + 1))
    done <<<"$chars"
}

# Starts the program and waits until its window is mapped; sets WIN.
start_app() {
    "$APP" >"$WORK/app.out" 2>&1 &
    APP_PID=$!
    wait_for 100 sh -c "xdotool search --onlyvisible --pid $APP_PID --name Quonvel" || fail "the window did not appear"
    WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --name Quonvel | head -n 1)
    sleep 0.3  # let the first frame reach the screen
    read -r CLIENT_X CLIENT_Y < <(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
    # The page picture starts at (4, 34) in the client area.
    PAGE_X=$((CLIENT_X + 4))
    PAGE_Y=$((CLIENT_Y + 34))
}

# Waits up to five seconds for the program to end; sets EXIT_CODE ("running"
# when it has not ended).
wait_app() {
    EXIT_CODE=0
    for _ in $(seq 50); do
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$APP_PID" 2>/dev/null; then
        EXIT_CODE=running
        return
    fi
    wait "$APP_PID" || EXIT_CODE=$?
    APP_PID=""
}

app_running() { kill -0 "$APP_PID" 2>/dev/null; }

screenshot() { import -window root "$WORK/$1.png"; }

# crop NAME X Y W H OUT: a region of a screenshot, in screen coordinates.
crop() { convert "$WORK/$1.png" -crop "${4}x${5}+${2}+${3}" +repage "$WORK/$6.png"; }

# Number of pixels that differ between two images of one size (fuzz in %).
pixels_differing() {
    # compare exits with 1 when the images differ: the count is what matters here.
    { compare -metric AE -fuzz "${3:-0}%" "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; } | awk '{print int($1)}'
}

# Screen point of a point of the page picture.
page_point() { echo "$((PAGE_X + $1)) $((PAGE_Y + $2))"; }

click_page() {
    # shellcheck disable=SC2046
    xdotool mousemove $(page_point "$1" "$2") click 1
    sleep 0.15
}

# The decoded page picture, as the program decodes it (ImageMagick uses the same library).
page_picture() { convert "$SOURCE_DIR/assets/page.jpg" "$WORK/page.png"; }
