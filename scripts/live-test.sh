#!/usr/bin/env bash
# The live palette windows driven through a real X server. Starts Xvfb on a free display; for
# each host (tooltray-palette on Linux, tooltray-palette.exe of each Windows build under Wine:
# wine64, or the 32-bit loader for a 32-bit build) opens the window,
# sends real pointer and key input with xdotool, and after each step compares the window's client
# area pixel for pixel with the portable layer's rendering of the same palette (tooltray-palette
# --render). Every wait polls with a timeout that fails with a message.
#   scripts/live-test.sh [LINUX_BUILD [WINDOWS_BUILD...]]   (default: build, build-mingw64)
#   PICTURES=DIR scripts/live-test.sh ...                  also saves the README's screenshots
# Anything missing fails, saying what to install. It skips (exit status 77, saying why) only
# without an X server binary, or for a 32-bit build on a kernel that does not run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build}
shift || true
windows_builds=("$@")
[ ${#windows_builds[@]} -gt 0 ] || windows_builds=(build-mingw64)
render=$linux/host/tooltray-palette
started=$SECONDS
label="live windows"
# shellcheck source=scripts/live-common.sh
. scripts/live-common.sh
live_start xdotool xwd xwininfo xlogo convert compare

if [ ! -x "$render" ]; then
  missing "$render was not built (Debian: libsdl2-dev)"
fi
# Without SDL2 the program is built for --render only.
if grep -q '^SDL2_DIR:PATH=.*NOTFOUND' "$linux/CMakeCache.txt" 2>/dev/null; then
  missing "$render opens no window: SDL2 was not found (Debian: libsdl2-dev)"
fi

# ---- one host ---------------------------------------------------------------------------------

said() { grep -v '^client ' "$out" | tr -d '\r'; } # what the palette printed, without reports
client_line() { grep '^client ' "$out" | tail -n 1 | tr -d '\r'; }
has_client_width() { [ "$(client_line | cut -d' ' -f4)" = "$1" ]; }
exited() { ! kill -0 "$hostpid" 2>/dev/null; }
said_lines() { [ "$(said | wc -l)" -ge "$1" ]; }

read_client() {
  read -r _ cx cy cw ch <<<"$(client_line)"
}

# The portable layer's rendering of the palette in the window's current size, plus state.
render_expected() { # file, render arguments...
  local file=$1
  shift
  "$render" "${palette[@]}" --render "$file" --window "${cw}x${ch}" "$@" >"$work/layout.txt" ||
    fail "rendering the expected picture failed"
}

shot() { # file: the client area, from the X server
  xwd -root -silent | convert xwd:- -crop "${cw}x${ch}+${cx}+${cy}" +repage "$1"
}

# expect STEP render-arguments...: the client area shows exactly that rendering.
expect() {
  local step=$1
  shift
  render_expected "$work/expected.png" "$@"
  matches "$step" "$cw" "$ch" "the client area" shot "$work/screen.png"
}

# Screen coordinates of tool K's centre in the current layout (from the last rendering).
centre() {
  read -r x y < <(awk -v k="$1" -v cx="$cx" -v cy="$cy" \
    '$1 == "tool" && $2 == k { print cx + int(($3 + $5) / 2), cy + int(($4 + $6) / 2); exit }' \
    "$work/layout.txt")
  [ -n "$x" ] || fail "no tool $1 in the layout"
  echo "$x $y"
}

step() { # counts one checked interaction
  interactions=$((interactions + 1))
}

start() { # host name, command...
  host=$1
  shift
  out=$work/$host.out
  : >"$out" # there before the first poll reads it
  "$@" "${palette[@]}" --print-client >"$out" 2>"$work/$host.err" &
  hostpid=$!
  pids+=("$hostpid")
  wait_for 60 "the window of $host to be drawn" grep -q '^client ' "$out"
  wait_for 10 "the window of $host to be mapped" \
    sh -c 'xdotool search --onlyvisible --name "^ToolTray palette$" >/dev/null'
  wid=$(xdotool search --onlyvisible --name "^ToolTray palette$" | head -n 1)
  read_client
  screens=0 pixels=0 interactions=0
}

focus() {
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
}

close_with_escape() {
  focus
  xdotool key Escape
  wait_for 10 "$host to exit after Escape" exited
  local status=0
  wait "$hostpid" || status=$?
  [ "$status" = 0 ] || fail "exit status $status after Escape"
  step
}

drive_rows() { # host name, command...
  palette=(--toggle 3)
  start "$@"
  expect mapped

  read -r x y <<<"$(centre 6)"
  xdotool mousemove "$x" "$y" mousedown 1
  expect pressed --state 6=1
  step
  xdotool mouseup 1
  wait_for 10 "'click 6'" said_lines 1
  [ "$(said)" = "click 6" ] || fail "after a click on tool 6 it said: $(said)"
  expect released
  step

  read -r x y <<<"$(centre 7)"
  xdotool mousemove "$x" "$y" mousedown 1
  expect pressed-before-drag --state 7=1
  xdotool mousemove "$cx" "$cy"
  expect dragged-off
  xdotool mouseup 1
  step

  read -r x y <<<"$(centre 3)"
  xdotool mousemove "$x" "$y" click 1
  wait_for 10 "'toggle 3 on'" said_lines 2
  [ "$(said)" = $'click 6\ntoggle 3 on' ] || fail "a drag-off or the toggle said: $(said)"
  expect toggled --state 3=1
  step

  focus
  xdotool key Right Right
  expect hot-second --state 3=1 --hot 2
  xdotool key Down
  expect hot-below --state 3=1 --hot 6
  xdotool key Left
  expect hot-left --state 3=1 --hot 5
  step
  xdotool key space
  wait_for 10 "'click 5'" said_lines 3
  [ "$(said)" = $'click 6\ntoggle 3 on\nclick 5' ] || fail "Space on tool 5 said: $(said)"
  expect clicked-by-key --state 3=1 --hot 5
  step

  if [ -n "${PICTURES:-}" ]; then # a tool held down beside the hot tool, for the README
    read -r x y <<<"$(centre 7)"
    xdotool mousemove "$x" "$y" mousedown 1
    expect picture --state 3=1 --state 7=1 --hot 5
    xwd -id "$wid" -silent | convert xwd:- "$PICTURES/palette-$host.png"
    xdotool mousemove "$cx" "$cy" mouseup 1
    expect picture-done --state 3=1 --hot 5
  fi

  # Resize the window so that the client is 200 pixels wide: the tools re-flow into rows of 6.
  read -r ww wh < <(xwininfo -id "$wid" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  xdotool windowsize "$wid" $((ww - cw + 200)) "$wh"
  wait_for 10 "the client of $host to become 200 pixels wide" has_client_width 200
  read_client
  expect resized --state 3=1 --hot 5
  step

  close_with_escape
  echo "live windows ($host): $interactions interactions, $screens screenshots of the client" \
    "area equal to the portable rendering ($pixels pixels)"
}

drive_columns() { # host name, command...
  palette=(--layout vertical --tools 10 --scale 2)
  start "$@"
  expect mapped
  read -r x y <<<"$(centre 5)"
  xdotool mousemove "$x" "$y" click 1
  wait_for 10 "'click 5'" said_lines 1
  [ "$(said)" = "click 5" ] || fail "after a click on tool 5 it said: $(said)"
  expect clicked
  step
  focus
  xdotool key Down Down Right
  expect hot --hot 6
  step
  [ -n "${PICTURES:-}" ] && xwd -id "$wid" -silent | convert xwd:- "$PICTURES/palette-$host.png"
  close_with_escape
  echo "live windows ($host): $interactions interactions, $screens screenshots of the client" \
    "area equal to the portable rendering ($pixels pixels)"
}

# ---- weight of the Linux palette ---------------------------------------------------------------
# measure_weight: starts the palette alone and reports its first frame (start to the first
# 'client' line, printed once the window is drawn), its resident memory once idle, and the CPU
# ticks it takes over 10 s of idling; fails when it needs more than 150 ms, 16 MB or any tick, or
# when it has loaded an OpenGL stack to show a bitmap. The first frame is the fastest of three
# starts: what the palette costs, not what other work on a shared machine held it up by.
measure_weight() {
  host=linux-weight
  local out=$work/weight.out begin end pid rss_kb ticks0 ticks1 gl first_ms=
  local try
  for try in 1 2 3; do
    [ -z "${pid:-}" ] || { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
    : >"$out"
    begin=$(date +%s%N)
    "$render" --print-client >"$out" 2>"$work/weight.err" &
    pid=$!
    pids+=("$pid")
    local until=$((SECONDS + 20))
    until grep -q '^client ' "$out"; do
      [ "$SECONDS" -lt "$until" ] || fail "timed out waiting for the first frame"
      sleep 0.002
    done
    end=$(date +%s%N)
    local ms=$(((end - begin) / 1000000))
    if [ -z "$first_ms" ] || [ "$ms" -lt "$first_ms" ]; then first_ms=$ms; fi
  done
  sleep 1 # settled: whatever the first frame started has finished
  cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
  ticks0=$(cpu_ticks)
  sleep 10
  ticks1=$(cpu_ticks)
  rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  gl=$(grep -o -E 'lib(GL|GLX|EGL|LLVM|gallium|dri)[^/ ]*|[^/ ]*_dri\.so' "/proc/$pid/maps" | sort -u |
    tr '\n' ' ' || true)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "live palette (linux): first frame in ${first_ms} ms, $((rss_kb / 1024)) MB resident" \
    "(${rss_kb} kB) at idle, $((ticks1 - ticks0)) CPU ticks over 10 s idle"
  [ -z "$gl" ] || fail "it loaded an OpenGL stack to show a bitmap: $gl"
  [ "$first_ms" -le 150 ] || fail "the first frame took ${first_ms} ms (at most 150)"
  [ "$rss_kb" -le $((16 * 1024)) ] || fail "${rss_kb} kB resident at idle (at most 16 MB)"
  [ "$((ticks1 - ticks0))" = 0 ] || fail "$((ticks1 - ticks0)) CPU ticks over 10 s idle (0 allowed)"
}

# Presses that end without their release reaching the palette. A press dragged off the window and
# released outside it while another X window holds the keyboard focus: the release may never
# arrive, and then neither moving back over the tool nor the next click, single or double, may be
# spent on that press.
lost_release() {
  read -r x y <<<"$(centre 6)"
  xdotool mousemove "$x" "$y" mousedown 1
  expect lost-pressed --state 6=1
  xdotool mousemove 500 500
  expect lost-dragged-off
  xdotool mouseup 1
}

drive_press_ends() { # host name, command...
  palette=()
  start "$@"
  expect mapped
  if [ "$cx" -le 500 ] && [ 500 -lt $((cx + cw)) ] && [ "$cy" -le 500 ] && [ 500 -lt $((cy + ch)) ]; then
    fail "(500, 500), where the press is released, is on the client area"
  fi
  xlogo -geometry 60x60+730+530 2>"$work/xlogo.err" &
  pids+=($!)
  local logo=$!
  wait_for 10 "xlogo to be mapped" sh -c 'xdotool search --onlyvisible --name "^xlogo$" >/dev/null'
  local other
  other=$(xdotool search --onlyvisible --name '^xlogo$' | head -n 1)

  # The focus goes to another window mid-press: the press is cancelled, its release clicks nothing.
  focus
  read -r x y <<<"$(centre 5)"
  xdotool mousemove "$x" "$y" mousedown 1
  expect focus-pressed --state 5=1
  xdotool windowfocus --sync "$other"
  expect focus-lost
  xdotool mouseup 1
  read -r x y <<<"$(centre 8)"
  xdotool mousemove "$x" "$y" click 1
  wait_for 10 "'click 8'" said_lines 1
  [ "$(said)" = "click 8" ] || fail "a press cancelled by focus loss, then a click on 8, said: $(said)"
  step

  xdotool mousemove 500 500
  lost_release
  read -r x y <<<"$(centre 6)"
  xdotool mousemove "$x" "$y"
  expect back-without-button
  read -r x y <<<"$(centre 7)"
  xdotool mousemove "$x" "$y" click 1
  wait_for 10 "'click 7' after a release outside" said_lines 2
  read -r x y <<<"$(centre 8)"
  xdotool mousemove "$x" "$y" click 1
  wait_for 10 "'click 8'" said_lines 3
  [ "$(said)" = $'click 8\nclick 7\nclick 8' ] || fail "after a release outside it said: $(said)"
  expect clicked-after-lost-release
  step

  lost_release
  read -r x y <<<"$(centre 7)"
  xdotool mousemove "$x" "$y" click --repeat 2 --delay 50 1
  wait_for 10 "two more 'click 7'" said_lines 5
  [ "$(said)" = $'click 8\nclick 7\nclick 8\nclick 7\nclick 7' ] ||
    fail "a double click after a release outside said: $(said)"
  expect double-clicked-after-lost-release
  step

  kill "$logo"
  close_with_escape
  echo "live windows ($host): $interactions interactions, $screens screenshots of the client" \
    "area equal to the portable rendering ($pixels pixels)"
}

drive_rows linux "$render"
drive_columns linux-vertical "$render"
drive_press_ends linux-press-ends "$render"
measure_weight

# Each Windows build's palette, under the loader of its width.
for windows in "${windows_builds[@]}"; do
  exe=$windows/bin/tooltray-palette.exe
  [ -f "$exe" ] || missing "$exe was not built (scripts/windows.sh builds it)"
  use_windows_build "$exe" || continue
  # Creates the prefix when needed and starts Wine's session, as the Windows suite does.
  cmake/wine-run.sh "$wine" "$WINEPREFIX" "$exe" --help >/dev/null
  drive_rows "$name" "$wine" "$exe"
  drive_columns "$name-vertical" "$wine" "$exe"
  drive_press_ends "$name-press-ends" "$wine" "$exe"
  stop_wine
done
echo "live windows: done in $((SECONDS - started))s"
[ -z "$skipped" ] || exit 77
