#!/usr/bin/env bash
# The fields at start and their editing, with the real mouse and keyboard.
source "$(dirname "$0")/lib.sh"
RENDER=${3:?render_field path}
start_x
map_keys '张三丰'
start_app
page_picture
screenshot start

# Every field shows a start-up text: its rectangle differs from the bare picture.
fields="450,0,128,24 632,0,24,24 20,588,76,16 114,585,96,24 21,607,43,16 297,590,39,15 337,588,151,16 297,606,111,16 486,588,48,19 682,587,56,16"
n=0
for f in $fields; do
    n=$((n + 1))
    IFS=, read -r x y w h <<<"$f"
    crop start $((PAGE_X + x)) $((PAGE_Y + y)) "$w" "$h" "field$n"
    convert "$WORK/page.png" -crop "${w}x${h}+${x}+${y}" +repage "$WORK/bare$n.png"
    [ "$(pixels_differing "field$n" "bare$n" 2)" -gt 10 ] || fail "field $n shows no text at start"
done

# expect_field N TEXT: the field on the screen looks exactly as that text drawn there.
expect_field() {
    local n=$1 text=$2
    IFS=, read -r x y w h <<<"$(echo "$fields" | tr ' ' '\n' | sed -n "${n}p")"
    screenshot now
    crop now $((PAGE_X + x)) $((PAGE_Y + y)) "$w" "$h" shown
    "$RENDER" "$n" "$text" "$WORK/expected.png" || fail "cannot render field $n"
    local differing
    differing=$(pixels_differing shown expected 2)
    [ "$differing" -eq 0 ] || {
        cp "$WORK/shown.png" "$WORK/field$n-shown.png"; cp "$WORK/expected.png" "$WORK/field$n-expected.png"
        fail "field $n: $differing pixels differ from '$text' (see $WORK/field$n-*.png)"
    }
}

# Field 1: press the greeting, type a name, press 修改.
click_page 500 10            # the label of field 1
click_page 520 31            # its edit box
xdotool type --delay 40 '张三'
click_page 590 31            # 修改
expect_field 1 '你好,  张三'

# The editor of field 1 is hidden again: its place shows the page once more.
screenshot after_commit
crop after_commit $((PAGE_X + 494)) $((PAGE_Y + 24)) 64 20 editor1_place
convert "$WORK/page.png" -crop 64x20+494+24 +repage "$WORK/editor1_bare.png"
[ "$(pixels_differing editor1_place editor1_bare 2)" -eq 0 ] || fail "the editor of field 1 is still shown"

# Two editors open at once: field 1 again (it still holds 张三), then field 10
# edited and committed while field 1's editor stays open.
click_page 500 10
click_page 700 594           # the amount
click_page 700 571           # its edit box
xdotool type --delay 40 -- '-88.00'
click_page 776 571           # 修改 of field 10
expect_field 10 '-88.00'
screenshot two_open
crop two_open $((PAGE_X + 494)) $((PAGE_Y + 24)) 64 20 editor1_open
[ "$(pixels_differing editor1_open editor1_bare 2)" -gt 50 ] || fail "the editor of field 1 closed with field 10's"

# Field 1's edit box kept 张三; add to it and commit.
click_page 550 31
xdotool key End
xdotool type --delay 40 '丰'
click_page 590 31
expect_field 1 '你好,  张三丰'

# Esc while typing closes the window at once, with exit code 0.
click_page 20 596            # the date
click_page 40 571
xdotool type --delay 40 '2027'
xdotool key Escape
wait_app
[ "$EXIT_CODE" = 0 ] || fail "Esc while typing: exit code $EXIT_CODE"
echo "PASS"
