#!/usr/bin/env bash
# The real program in a real window, driven only through the mouse and the
# keyboard: three cells, one generation, File > Save through the prompt; a
# pattern pasted with Ctrl+V and copied with Ctrl+C, the text boxes keeping
# their own; a file dropped from another program, a web address and text
# refused; the help viewer and the About box opened and closed, then End;
# then started with a pattern file to read, and with one that is missing, and
# file names completed in Read's prompt.
#   smoke_test.sh PATH/TO/gridlore
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "smoke test: $*" >&2; exit 1; }

# A display of our own, with a window manager so that windows close as a
# user closes them (Alt+F4).
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

window() { # window NAME-REGEX: waits for a visible window and prints its id
  for _ in $(seq 150); do
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}
gone() { # gone ID: waits for a window to disappear
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.2
  done
  return 1
}

cd "$work"
unset QT_QPA_PLATFORM
QT_QPA_PLATFORM=xcb "$program" >"$work/gridlore.log" 2>&1 &
app=$!
pids+=($app)
main=$(window '^Form1$') || fail "the main window did not appear"
xdotool windowactivate --sync "$main"
sleep 0.5

# Keys go to the focused window through XTEST, as from a real keyboard.
# The client area is 680 x 555 pixels under the menu bar; the 125-column grid
# starts 67.65 pixels down it, cells 5.44 pixels square.
eval "$(xdotool getwindowgeometry --shell "$main")"
menu=$((HEIGHT - 555))
cell() { # cell COLUMN ROW: clicks the middle of a cell
  local x y
  x=$(awk -v c="$1" 'BEGIN { printf "%d", (c - 0.5) * 5.44 }')
  y=$(awk -v r="$2" -v m="$menu" 'BEGIN { printf "%d", m + 67.65 + (r - 0.5) * 5.44 }')
  xdotool mousemove --window "$main" "$x" "$y" click 1
}
cell 10 10
cell 11 10
cell 12 10
# 次世代 sits at (16 + 36, 14 + 10) pixels in the panel, which is 8 pixels in.
xdotool mousemove --window "$main" $((8 + 16 + 36)) $((menu + 8 + 14 + 10)) click 1
sleep 0.8

xdotool key alt+f
sleep 0.8
xdotool key s
prompt=$(window '^gridlore$') || fail "Save's prompt did not appear"
xdotool windowactivate --sync "$prompt"
xdotool type "smoke.txt"
xdotool key Return
for _ in $(seq 50); do [ -s smoke.txt ] && break; sleep 0.1; done

# The first step since start-up leaves dead cells empty: empty lines, and
# " 1 " for the vertical blinker at column 11, rows 9 to 11.
awk 'BEGIN { for (i = 1; i <= 125; i++) for (j = 1; j <= 100; j++)
               printf (i == 11 && j >= 9 && j <= 11) ? " 1 \r\n" : "\r\n" }' >expected.txt
cmp smoke.txt expected.txt || fail "the saved file differs from the board"

save() { # save NAME: File > Save through the prompt
  xdotool windowactivate --sync "$main"
  xdotool key alt+f
  sleep 0.8
  xdotool key s
  local prompt
  prompt=$(window '^gridlore$') || fail "Save's prompt did not appear"
  xdotool windowactivate --sync "$prompt"
  xdotool type --delay 50 "$1"
  xdotool key Return
  for _ in $(seq 50); do [ -s "$1" ] && break; sleep 0.1; done
}
board() { # board "COLUMN,ROW ...": the saved file of a board of those live cells
  awk -v live=" $1 " 'BEGIN { for (i = 1; i <= 125; i++) for (j = 1; j <= 100; j++)
                                printf index(live, " " i "," j " ") ? " 1 \r\n" : " 0 \r\n" }'
}
clip() { xclip -selection clipboard -o 2>/dev/null || true; }
key() { # key KEYS: pressed in the main window
  xdotool windowactivate --sync "$main"
  xdotool key "$@"
  sleep 0.5
}

# Ctrl+V reads the clipboard as a pattern, centred; Ctrl+C copies it as RLE.
printf '#N Blinker\nx = 3, y = 1, rule = B3/S23\n3o!\n' | xclip -selection clipboard
key ctrl+v
save paste.txt
board "62,50 63,50 64,50" >expected.txt
cmp paste.txt expected.txt || fail "the pasted pattern is not on the board"
key ctrl+c
[ "$(clip)" = "$(printf '#C Copied from gridlore\nx = 3, y = 1, rule = B3/S23\n3o!')" ] ||
  fail "Ctrl+C copied: $(clip)"

# A wide pattern is copied in lines of at most 70 characters.
wide="$(printf 'ob%.0s' $(seq 60))o!"
printf 'x = 121, y = 1\n%s\n' "$wide" | xclip -selection clipboard
key ctrl+v
key ctrl+Insert
clip | awk 'length > 70 { exit 1 }' || fail "Ctrl+C wrote lines over 70 characters: $(clip)"
[ "$(clip | sed 1,2d | tr -d '\n')" = "$wide" ] || fail "the wide pattern came back as $(clip)"

# In the interval box, Ctrl+V and Ctrl+C are the box's own.
printf 'x = 1, y = 1\no!\n' | xclip -selection clipboard
xdotool mousemove --window "$main" $((8 + 392 + 20)) $((menu + 8 + 16 + 9)) click 1
key End ctrl+v ctrl+a ctrl+c
clip | grep -q '^1000x = 1, y = 1' || fail "Ctrl+V in the interval box gave $(clip)"
key ctrl+a
xdotool type 1000
key Tab Tab
key ctrl+c
clip | grep -q '^x = 121, y = 1' || fail "a paste in the interval box reached the board"

# A file dragged from another program and dropped on the board is read; a
# web address or text is refused and leaves the board alone.
drag() { # drag KIND VALUE: from a window offering it, onto the middle of the board
  "$here/dragsource.py" "$1" "$2" >>"$work/drag.log" 2>&1 &
  pids+=($!)
  local source
  source=$(window '^dragsource$') || fail "the drag source did not appear"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$source")"
  local x=$((X + WIDTH / 2)) y=$((Y + HEIGHT / 2))
  eval "$(xdotool getwindowgeometry --shell "$main")"
  local tx=$((X + WIDTH / 2)) ty=$((Y + HEIGHT / 2))
  xdotool mousemove "$x" "$y" mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((x + (tx - x) * step / 8)) $((y + (ty - y) * step / 8))
    sleep 0.1
  done
  xdotool mousemove "$tx" "$ty"
  sleep 0.3
  xdotool mouseup 1
  sleep 0.5
  kill "${pids[-1]}" 2>/dev/null || true
  gone "$source" || true
}
printf '#N Glider\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n' >glider.rle
drag uri "file://$work/glider.rle"
save drop.txt
board "63,49 64,50 62,51 63,51 64,51" >expected.txt
cmp drop.txt expected.txt || fail "the dropped file is not on the board"
drag uri "https://example.org/glider.rle"
drag text "x = 1, y = 1"
key ctrl+c
[ "$(clip | sed 1,2d)" = 'bo$2bo$3o!' ] || fail "a web address or text dropped changed the board"

# Help > Gridloreとは (the menu opens on it): the viewer's caption becomes the
# help page's own title once the page has loaded; then close the viewer as a
# user would.
title=$(sed -n 's:.*<title>\(.*\)</title>.*:\1:p' "$(dirname "$program")/../share/gridlore/helppage/hlp01.htm")
[ -n "$title" ] || fail "the help page has no title"
xdotool windowactivate --sync "$main"
xdotool key alt+h
sleep 0.8
xdotool key Return
help=$(window "^$title\$") || fail "the help viewer did not show the help page's title, $title"
xdotool windowactivate --sync "$help"
xdotool key alt+F4
gone "$help" || fail "the help viewer did not close"

# Help > バージョン, closed with Esc.
xdotool windowactivate --sync "$main"
xdotool key alt+h
sleep 0.8
xdotool key Up Return
about=$(window 'のﾊﾞｰｼﾞｮﾝ情報$') || fail "the About box did not appear"
xdotool windowactivate --sync "$about"
xdotool key Escape
gone "$about" || fail "the About box did not close"

# End.
xdotool windowactivate --sync "$main"
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$main" $((8 + 560 + 28)) $((menu + 8 + 16 + 10)) click 1
status=0
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
kill -0 "$app" 2>/dev/null && fail "End did not end the program"
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program exited with status $status"

# Started with a pattern file, as a file manager starts it: the board holds
# it; a missing file leaves the board empty and says why in one line.
start() { # start FILE: starts the program on FILE and waits for its window
  QT_QPA_PLATFORM=xcb "$program" "$1" >"$work/start.log" 2>&1 &
  app=$!
  pids+=($app)
  main=$(window '^Form1$') || fail "the main window did not appear for $1"
  sleep 1
}
close() { # closes the main window as a user does, and waits for the program to end
  xdotool windowactivate --sync "$main"
  xdotool key alt+F4
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$app" 2>/dev/null && fail "closing the window did not end the program"
  wait "$app" || fail "the program ended with status $?"
}
start glider.rle
key ctrl+c
[ "$(clip | sed 1,2d)" = 'bo$2bo$3o!' ] || fail "gridlore glider.rle did not read the file: $(clip)"
close
mkdir -p home
printf '!Name: Blinker\nOOO\n' >home/blinker.cells
HOME="$work/home" start missing.rle
key ctrl+c
clip | grep -q '^x = 0, y = 0' || fail "gridlore missing.rle did not leave the board empty: $(clip)"

# Read's prompt completes names as they are typed: here and, after ~/, at home.
# Enter takes the name offered, and then answers the prompt.
complete() { # complete TYPED: File > Read, typing TYPED, taking the first name offered
  key alt+f
  sleep 0.3
  xdotool key r
  local prompt
  prompt=$(window '^gridlore$') || fail "Read's prompt did not appear"
  xdotool windowactivate --sync "$prompt"
  sleep 0.5
  xdotool type --delay 200 "$1"
  sleep 1
  xdotool key Down Return
  sleep 0.3
  xdotool key Return
  gone "$prompt" || fail "Read's prompt did not close"
  sleep 0.5
}
complete gli
key ctrl+c
[ "$(clip | sed 1,2d)" = 'bo$2bo$3o!' ] || fail "Read did not complete gli to glider.rle: $(clip)"
complete '~/bl'
key ctrl+c
[ "$(clip | sed 1,2d)" = '3o!' ] || fail "Read did not complete ~/bl to the blinker at home: $(clip)"
close
grep -qx 'gridlore: cannot read missing.rle: no such file' "$work/start.log" ||
  fail "gridlore missing.rle said: $(cat "$work/start.log")"
echo "smoke test passed"
