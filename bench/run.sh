#!/usr/bin/env bash
# The start-up benchmark: bench/run.sh BUILD_DIR [RUNS] [IDLE_RUNS] [IDLE_SECONDS] [COMMITS]
#
# Starts one private X server (Xvfb, 1600 x 900 x 24) with openbox for the whole
# run, then:
#   startup_bench  program and baseline alternately, RUNS times each (default 10):
#                  time to the first complete frame on the screen, peak resident
#                  memory, and over the first IDLE_RUNS runs (default 3) the context
#                  switches in IDLE_SECONDS (default 10) of no input;
#   edit_latency   COMMITS (default 1000) clicks on "修改", offscreen and on the X server.
# Prints one table; per-run lines go to stderr.
set -euo pipefail

BUILD=${1:?build directory}
RUNS=${2:-10}
IDLE_RUNS=${3:-3}
IDLE_SECONDS=${4:-10}
COMMITS=${5:-1000}
PROGRAM=$BUILD/receipt-mockup
BENCH=$BUILD/bench

WORK=$(mktemp -d "${TMPDIR:-/tmp}/receipt-bench.XXXXXX")
XVFB_PID=""
WM_PID=""
cleanup() {
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# The real program on the real X server, whatever the caller set.
unset QT_QPA_PLATFORM
export LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

source "$(dirname "$0")/../scripts/private-x.sh"
start_private_x 150 199 1600 900 || exit 1

echo "receipt-mockup start-up benchmark: $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg), Xvfb $DISPLAY + openbox"
echo "first frame, memory: $RUNS runs each, alternating; idle: first $IDLE_RUNS runs each, ${IDLE_SECONDS} s from 1 s after the first frame;"
echo "CPU time: the runs without the idle wait"
echo
status=0
"$BENCH/startup_bench" "$PROGRAM" "$BENCH/baseline_window" "$RUNS" "$IDLE_RUNS" "$IDLE_SECONDS" || status=1
echo
echo "| figure                             | n    | median [min..max]          | notes |"
echo "|------------------------------------|------|----------------------------|-------|"
# The offscreen platform warns that it cannot pass size hints on: not ours to show.
QT_QPA_PLATFORM=offscreen "$BENCH/edit_latency" "$COMMITS" 2> >(grep -v 'does not support propagateSizeHints' >&2) ||
    status=1
"$BENCH/edit_latency" "$COMMITS" || status=1
echo
echo "goals: first frame and peak memory at most 1.15 x the baseline; 0 idle context switches; edit latency median under 1000 us"
exit $status
