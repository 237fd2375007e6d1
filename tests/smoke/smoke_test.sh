#!/usr/bin/env bash
# The real program in a real window, driven only through the mouse and the
# keyboard: three cells, one generation, File > Save through the prompt, the
# help viewer and the About box opened and closed, then End.
#   smoke_test.sh PATH/TO/gridlore
set -euo pipefail
program=$(readlink -f "$1")
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

# Help > Gridloreとは, then close the viewer as a user would.
xdotool windowactivate --sync "$main"
xdotool key alt+h
sleep 0.8
xdotool key Down Return
help=$(window '^(Form2|接続中\.\.\.|Gridlore.*)$') || fail "the help viewer did not appear"
sleep 2
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
echo "smoke test passed"
