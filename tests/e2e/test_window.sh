#!/usr/bin/env bash
# The window as it first appears: outer size, place, title, icon, what the
# window manager may do with it, and the pictures where they belong.
source "$(dirname "$0")/lib.sh"
start_x
start_app

# Outer size with the frame, and centred on the screen by that size.
read -r fl fr ft fb < <(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
read -r cw ch < <(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
outer_w=$((cw + fl + fr))
outer_h=$((ch + ft + fb))
[ "$outer_w" -eq 1208 ] && [ "$outer_h" -eq 703 ] || fail "outer size ${outer_w}x${outer_h}, frame $fl $fr $ft $fb"
[ $((CLIENT_X - fl)) -eq $(((SCREEN_W - 1208) / 2)) ] || fail "frame left $((CLIENT_X - fl))"
[ $((CLIENT_Y - ft)) -eq $(((SCREEN_H - 703) / 2)) ] || fail "frame top $((CLIENT_Y - ft))"
echo "frame extents: left $fl right $fr top $ft bottom $fb; client ${cw}x${ch}"

title=$(xdotool getwindowname "$WIN")
expected="QuonvelPC端付款成功截图生成工具 V2.0               Marrowfen论坛  marrowfen.example   纸上谈兵，截图为证"
[ "$title" = "$expected" ] || fail "title is '$title'"

# The icon: one 64 x 64 picture.
xprop -id "$WIN" -notype 32c _NET_WM_ICON | grep -q '_NET_WM_ICON = 64, 64,' || fail "no 64 x 64 icon"

# Fixed size; neither a minimise nor a maximise button asked for (Motif hints:
# flags, functions, decorations); the manager allows neither maximise nor resize.
xprop -id "$WIN" WM_NORMAL_HINTS | grep -q "minimum size: $cw by $ch" || fail "no fixed minimum size"
xprop -id "$WIN" WM_NORMAL_HINTS | grep -q "maximum size: $cw by $ch" || fail "no fixed maximum size"
read -r _ functions decorations _ < <(xprop -id "$WIN" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
(( (functions & 0x18) == 0 )) || fail "Motif functions $functions allow minimise or maximise"
(( (decorations & 0x61) == 0 )) || fail "Motif decorations $decorations ask for minimise or maximise buttons"
(( (functions & 0x20) != 0 )) || fail "Motif functions $functions do not allow closing"
actions=$(xprop -id "$WIN" _NET_WM_ALLOWED_ACTIONS)
echo "$actions" | grep -q -E 'MAXIMIZE|RESIZE' && fail "the window manager allows: $actions"
echo "$actions" | grep -q CLOSE || fail "the window manager does not allow closing: $actions"

# The page picture at (4, 34) of the client area, as decoded, apart from the
# ten field rectangles (they hold their start-up texts).
screenshot shot
crop shot "$PAGE_X" "$PAGE_Y" 993 636 page_shown
page_picture
fields="450,0,128,24 632,0,24,24 20,588,76,16 114,585,96,24 21,607,43,16 297,590,39,15 337,588,151,16 297,606,111,16 486,588,48,19 682,587,56,16"
mask=()
for f in $fields; do
    IFS=, read -r x y w h <<<"$f"
    mask+=(-draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
done
convert "$WORK/page_shown.png" -fill black "${mask[@]}" "$WORK/page_shown_masked.png"
convert "$WORK/page.png" -fill black "${mask[@]}" "$WORK/page_masked.png"
differing=$(pixels_differing page_shown_masked page_masked 1)
[ "$differing" -eq 0 ] || fail "$differing pixels of the page picture differ from the decoded picture"

# The hand picture's top-left 20 x 24 pixels at (1153, 32), in the gap of the
# usage notes' second line.
crop shot $((CLIENT_X + 1153)) $((CLIENT_Y + 32)) 20 24 hand_shown
convert "$SOURCE_DIR/assets/hand.jpg" -crop 20x24+0+0 +repage "$WORK/hand.png"
differing=$(pixels_differing hand_shown hand 1)
[ "$differing" -eq 0 ] || fail "$differing pixels of the hand picture differ"
# Around the hand (same rows, 1132 to 1152 and 1174 to 1177) the notes' line shows no text: button face only.
for x in 1150 1152 1174 1176; do
    colour=$(convert "$WORK/shot.png" -crop "1x24+$((CLIENT_X + x))+$((CLIENT_Y + 44))" -format '%[fx:minima.r*255],%[fx:maxima.r*255]' info:)
    [ "$colour" = "240,240" ] || fail "text beside the hand at x $x: $colour"
done

# A press on the picture outside every field changes nothing.
click_page 300 300
screenshot after_press
[ "$(pixels_differing shot after_press)" -eq 0 ] || fail "a press on the bare picture changed the window"

xdotool key Escape
wait_app
[ "$EXIT_CODE" = 0 ] || fail "exit code after Esc: $EXIT_CODE"
echo "PASS"
