#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each and prints, per target, how many
# inputs it ran and what it found. Findings (crashing inputs) are kept in
# BUILD_DIR/findings/TARGET/. Exits non-zero when any target found something.
#   fuzz/run.sh BUILD_DIR SOURCE_DIR SECONDS
set -uo pipefail

BUILD=${1:?build directory}
SOURCE=${2:?source directory}
SECONDS_EACH=${3:-60}

# seed TARGET FILE...: copies files into the target's corpus.
seed_files() {
    local target=$1
    shift
    mkdir -p "$BUILD/corpus/$target"
    cp "$@" "$BUILD/corpus/$target/"
}

# seed_texts TARGET TEXT...: one corpus file a text (printf escapes allowed).
seed_texts() {
    local target=$1 n=0
    shift
    mkdir -p "$BUILD/corpus/$target"
    for text in "$@"; do
        n=$((n + 1))
        printf "$text" >"$BUILD/corpus/$target/seed$n"
    done
}

seed_files jpeg_fuzzer "$SOURCE/assets/page.jpg" "$SOURCE/assets/hand.jpg"
seed_texts gbk_fuzzer '你好,  张三' '交易号：0123456789' '\xc4\xe3\xba\xc3' 'Marrowfen论坛 ok' '\xa1\xa4\x80€' 'a😀b𠀀c'
seed_texts to_number_fuzzer '42' '  -3.5x' '+7' '.5' '5.' '0.000001' '1e5' '99999999999999999999999'
seed_texts text_fuzzer '\x01\x00\x00\x00\x04\x00\x00\x00\x03\x05ab\xc7\xae\xcb\xefcd' \
    '\x03\x00\x00\x00\xff\xff\xff\x7f\x02\x02a\x00bcdef'

status=0
printf '%-18s %12s %10s  %s\n' target executions seconds findings
for target in gbk_fuzzer to_number_fuzzer text_fuzzer jpeg_fuzzer; do
    findings="$BUILD/findings/$target"
    mkdir -p "$findings"
    log="$BUILD/$target.log"
    "$BUILD/$target" "$BUILD/corpus/$target" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -rss_limit_mb=2560 -timeout=20 -artifact_prefix="$findings/" >"$log" 2>&1
    code=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    [ -n "$execs" ] || execs=$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#')
    seconds=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | awk '{print $5}' | tail -n 1)
    found=$(find "$findings" -type f | wc -l)
    if [ "$code" -ne 0 ] || [ "$found" -ne 0 ]; then
        status=1
        summary="$found input(s) in $findings (exit $code); see $log"
    else
        summary="none"
    fi
    printf '%-18s %12s %10s  %s\n' "$target" "${execs:-?}" "${seconds:-?}" "$summary"
done
exit "$status"
