#!/usr/bin/env bash
# What the program does to the machine, from its system calls under strace
# while a field is edited and the window closed with Esc: it opens no file for
# writing, creates no file or directory, starts no other program, and its only
# socket is its connection to the X server; it binds and listens on nothing.
#
# Allowed, with the reason:
#   mkdir of $XDG_RUNTIME_DIR failing with EEXIST: Qt makes sure the runtime
#     directory exists; it does, so nothing is created.
# The program tries to start nothing either: without a session bus the D-Bus
# library would launch one for the accessibility bridge, and the program
# prevents that.
source "$(dirname "$0")/lib.sh"
command -v strace >/dev/null || fail "strace is not installed (scripts/install-deps.sh installs it)"
start_x

TRACE=$WORK/trace
CALLS=open,openat,openat2,creat,mkdir,mkdirat,rename,renameat,renameat2,link,linkat,symlink,symlinkat
CALLS=$CALLS,unlink,unlinkat,truncate,socket,socketpair,connect,bind,listen,accept,accept4,execve,execveat
strace -f -qq -s 256 -o "$TRACE" -e trace="$CALLS" "$APP" >"$WORK/app.out" 2>&1 &
APP_PID=$!  # strace ends with the program and passes on its exit code
wait_for 150 sh -c "xdotool search --onlyvisible --name Quonvel" || fail "the window did not appear under strace"
WIN=$(xdotool search --onlyvisible --name Quonvel | head -n 1)
sleep 0.3
read -r CLIENT_X CLIENT_Y < <(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
PAGE_X=$((CLIENT_X + 4))
PAGE_Y=$((CLIENT_Y + 34))

click_page 500 10            # field 1: its editor opens
click_page 520 30            # into the edit box
xdotool type --delay 30 'abc'
click_page 590 31            # 修改
click_page 500 10
xdotool key Escape
wait_app
[ "$EXIT_CODE" = 0 ] || fail "the traced program did not end with 0 after Esc: $EXIT_CODE"

X_SOCKET="/tmp/.X11-unix/X${DISPLAY#:}"
grep -qF "\"$X_SOCKET\"}, " "$TRACE" || fail "no connection to the X server in the trace: the trace is not usable"

problems=$WORK/problems
: >"$problems"
set +o pipefail  # a grep that finds nothing is the good case below
report() { echo "$1: $2" >>"$problems"; }

# Files opened for writing.
grep -E '(open|openat|openat2|creat)\(' "$TRACE" | grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND|creat\(' |
    while read -r line; do report "opened for writing" "$line"; done

# Files and directories created, renamed or removed.
grep -E '^[0-9]+ +(mkdir|mkdirat|rename|renameat|renameat2|link|linkat|symlink|symlinkat|unlink|unlinkat|truncate)\(' "$TRACE" |
    grep -v -F "mkdir(\"$XDG_RUNTIME_DIR\", 0700) = -1 EEXIST" | while read -r line; do report "file system changed" "$line"; done

# Sockets: AF_UNIX only, each connected to the X server; nothing bound, listened or accepted.
grep -E '^[0-9]+ +socket\(' "$TRACE" | grep -v 'socket(AF_UNIX,' | while read -r line; do report "socket" "$line"; done
grep -E '^[0-9]+ +connect\(' "$TRACE" | grep -v -F "\"$X_SOCKET\"}, " | while read -r line; do report "connection" "$line"; done
[ "$(grep -cE '^[0-9]+ +socket\(' "$TRACE")" -eq "$(grep -cE '^[0-9]+ +connect\(' "$TRACE")" ] ||
    report "socket" "a socket that was never connected to the X server"
grep -E '^[0-9]+ +(socketpair|bind|listen|accept|accept4)\(' "$TRACE" | while read -r line; do report "listening" "$line"; done

# Other programs: none is started, or even tried; only the program's own start.
grep -E '^[0-9]+ +execve(at)?\(' "$TRACE" | tail -n +2 | while read -r line; do report "tried to start a program" "$line"; done

if [ -s "$problems" ]; then
    cp "$TRACE" "$WORK/failure-trace.txt"
    fail "$(cat "$problems")"
fi
echo "opened $(grep -cE '(open|openat|openat2)\(' "$TRACE") files, sockets: $(grep -cE '^[0-9]+ +socket\(' "$TRACE") (X server)"
echo "PASS"
