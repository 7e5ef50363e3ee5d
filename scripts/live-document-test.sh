#!/usr/bin/env bash
# The document windows driven through a real X server. Starts Xvfb on a free display; for each
# host (tooltray-document on Linux, tooltray-document.exe of each Windows build under Wine: wine64,
# or the 32-bit loader for a 32-bit build) opens the document, sends real pointer and key input with xdotool, and checks what
# it prints, the windows it maps and the pixels it shows: each part activated shows only its
# palette, a docked palette's pixels equal the portable rendering of its layout at its size
# (tooltray-palette --render), a floating palette dragged to the left edge docks there as a
# column and dragged out floats at the drop point, a double-click on the grip goes back and
# forth, a tooltip window shows over a hovered tool and goes when the pointer leaves, a shape is
# stamped where clicked, the layout survives a restart, a malformed layout file is reported and
# left as it was, and Escape or the close button exits with 0. Every wait polls with a timeout.
#   scripts/live-document-test.sh [LINUX_BUILD [WINDOWS_BUILD...]]   (default: build, no Windows)
#   PICTURES=DIR scripts/live-document-test.sh ...                  also saves the screenshots
# Anything missing fails, saying what to install. It skips (exit status 77, saying why) only
# without an X server binary, or for a 32-bit build on a kernel that does not run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build}
shift || true
windows_builds=("$@")
render=$linux/host/tooltray-palette
document=$linux/host/tooltray-document
close_helper=$linux/tests/send_wm_delete
started=$SECONDS
label="live documents"
# shellcheck source=scripts/live-common.sh
. scripts/live-common.sh
live_start xdotool xwininfo convert compare import

for program in "$render" "$document" "$close_helper"; do
  [ -x "$program" ] || missing "$program was not built (Debian: libsdl2-dev, libx11-dev)"
done

# Twelve icons whose file names are the tooltips, and for each part the same icons in its tools'
# order, named so that tooltray-palette --icons takes them in that order.
mkdir -p "$work/icons"
colours=(red blue green orange purple teal gray maroon navy olive black gold)
for i in "${!colours[@]}"; do
  convert -size 16x16 "xc:${colours[$i]}" -fill white \
    -draw "rectangle $((i % 4 + 2)),$((i / 4 + 3)),$((i % 4 + 8)),$((i / 4 + 12))" \
    "PNG24:$work/icons/$(printf '%02d' $((i + 1)))-${colours[$i]}.png"
done
icon_file() { ls "$work/icons" | sed -n "$(($1 + 1))p"; } # by index into the sorted set
part_icons() { # part, icon indices in tool order
  local part=$1 n=1 i
  shift
  mkdir -p "$work/icons-$part"
  for i in "$@"; do
    cp "$work/icons/$(icon_file "$i")" "$work/icons-$part/$n.png"
    n=$((n + 1))
  done
}
# The parts' tools: sketch rows (four shapes, a toggle), plan columns, notes rows.
part_icons sketch 0 1 2 3 7
part_icons plan 4 5 6 8
part_icons notes 9 10 11 7
declare -A tools=([sketch]=5 [plan]=4 [notes]=4)

# ---- one host ---------------------------------------------------------------------------------

exited() { ! kill -0 "$hostpid" 2>/dev/null; }
said_after() { tail -n +$((since + 1)) "$out" | tr -d '\r'; }
has_said() { said_after | grep -qxF -- "$1"; }
mark() { since=$(wc -l <"$out"); }
# expect_said LINE...: each line is said, in any order, after the mark; then a new mark.
expect_said() {
  local line
  for line in "$@"; do
    wait_for 10 "'$line'" has_said "$line"
  done
  mark
}
layout_of() { grep "^palette $1 " "$out" | tail -n 1 | tr -d '\r'; }
read_layout() { # part: sets kind edge px py pw ph from its last layout line
  local words
  read -r -a words <<<"$(layout_of "$1")"
  kind=${words[2]}
  if [ "$kind" = docked ]; then
    edge=${words[3]} px=${words[4]} py=${words[5]} pw=${words[6]} ph=${words[7]}
  else
    edge="" px=${words[3]} py=${words[4]} pw=${words[5]} ph=${words[6]}
  fi
}
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
geometry() { # window id: X Y W H
  xdotool getwindowgeometry --shell "$1" |
    awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}
is_visible() { [ -n "$(visible "$1")" ]; }
not_visible() { [ -z "$(visible "$1")" ]; }

# The screen as ImageMagick's import reads it: xwd -root shows Wine's override-redirect windows
# (its floating palettes and tooltips) black, though the server shows them drawn.
shot() { # file x y w h: that part of the screen
  import -silent -window root -crop "${4}x${5}+${2}+${3}" +repage "$1"
}
pixel() { # x y: the screen's colour there, as #RRGGBB
  import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- |
    awk 'NR == 2 { print $3 }' | cut -c1-7
}
is_pixel() { [ "$(pixel "$1" "$2")" = "$3" ]; }
tooltip_has_text() { # the tooltip on screen shows black text on a fill of another colour
  local tip
  tip=$(visible "^ToolTray tooltip$")
  [ -n "$tip" ] || return 1
  # shellcheck disable=SC2046 # X Y W H, as four words
  shot "$work/text.png" $(geometry "$tip")
  # grep -c, not -q: a grep that stops at the first match leaves convert writing into a closed
  # pipe, and under pipefail its SIGPIPE would make a drawn tooltip count as not drawn.
  [ "$(convert "$work/text.png" -format %k info:)" -ge 3 ] &&
    [ "$(convert "$work/text.png" txt:- | grep -c '#000000')" -gt 0 ]
}

# expect_palette STEP PART [render arguments...]: the part's palette, where its last layout line
# says, shows exactly the portable rendering of its layout at that size.
expect_palette() {
  local step=$1 part=$2 layout=()
  shift 2
  read_layout "$part"
  case "$kind/$edge" in
    docked/left | docked/right) layout=(--layout vertical) ;;
    docked/*) layout=() ;;
    floating/) [ "$part" = plan ] && layout=(--layout vertical) ;;
  esac
  "$render" --render "$work/expected.png" --tools "${tools[$part]}" --icons "$work/icons-$part" \
    --window "${pw}x${ph}" "${layout[@]}" --state 1=1 "$@" >"$work/tools-$part.txt" ||
    fail "rendering the expected $part palette failed"
  matches "$step" "$pw" "$ph" "the $part palette" shot "$work/screen.png" "$px" "$py" "$pw" "$ph"
}

tool_centre() { # part tool: screen coordinates of the tool's centre, from the last rendering
  awk -v k="$2" -v x0="$px" -v y0="$py" \
    '$1 == "tool" && $2 == k { print x0 + int(($3 + $5) / 2), y0 + int(($4 + $6) / 2); exit }' \
    "$work/tools-$1.txt"
}
grip_centre() { # from the last layout line read: the grip is above a floating palette or a column
  if [ "$kind" = floating ] || [ "$edge" = left ] || [ "$edge" = right ]; then
    echo "$((px + pw / 2)) $((py - 4))"
  else
    echo "$((px - 4)) $((py + ph / 2))"
  fi
}

step() { interactions=$((interactions + 1)); }

start() { # host name, command...
  host=$1
  shift
  out=$work/$host.out
  : >"$out"
  since=0
  "$@" --layout-file "$layout_file" "${icon_args[@]}" --print-layout --print-client \
    >"$out" 2>"$work/$host.err" &
  hostpid=$!
  pids+=("$hostpid")
  wait_for 60 "the document of $host to be drawn" grep -q '^client ' "$out"
  wait_for 10 "the document of $host to be mapped" is_visible "^ToolTray document$"
  wid=$(visible "^ToolTray document$")
  read -r _ cx cy cw ch <<<"$(grep '^client ' "$out" | tail -n 1 | tr -d '\r')"
}

activate() { # part: a click in the middle of the part's third of the client area, low down
  local index=$1 part=$2
  xdotool mousemove $((cx + cw * (2 * index + 1) / 6)) $((cy + ch - 40)) click 1
  expect_said "activate $part"
  # Only its palette is shown: its own floating window, if it floats, and no other's.
  local other
  for other in sketch plan notes; do
    [ "$other" = "$part" ] && continue
    [ "$(layout_of "$other")" = "palette $other hidden" ] || [ -z "$(layout_of "$other")" ] ||
      fail "activating $part left $other shown: $(layout_of "$other")"
    wait_for 10 "the floating window of $other to go" not_visible "^ToolTray palette $other$"
  done
  read_layout "$part"
  if [ "$kind" = floating ]; then
    wait_for 10 "the floating window of $part" is_visible "^ToolTray palette $part$"
  else
    wait_for 10 "no floating window of $part" not_visible "^ToolTray palette $part$"
  fi
  step
}

close_with_escape() {
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  xdotool key Escape
  wait_for 10 "$host to exit after Escape" exited
  local status=0
  wait "$hostpid" || status=$?
  [ "$status" = 0 ] || fail "exit status $status after Escape"
  step
}

close_with_button() { # what a window manager's close button sends: WM_DELETE_WINDOW
  # Looked up now, not at start: SDL replaces its X window when it first makes the window's
  # surface, and the one found then may be gone.
  wid=$(visible "^ToolTray document$")
  "$close_helper" "$wid" || fail "cannot send WM_DELETE_WINDOW to the document window"
  wait_for 10 "$host to exit after its close button" exited
  local status=0
  wait "$hostpid" || status=$?
  [ "$status" = 0 ] || fail "exit status $status after the close button"
  step
}

drive_document() { # host name, command...
  local name=$1
  shift
  icon_args=(--icons "$work/icons")
  layout_file=$work/$name-layout/document-layout
  screens=0 pixels=0 interactions=0
  start "$name" "$@"

  # The default layout: sketch active, its palette docked at the top.
  expect_said "palette sketch docked top $((cx + 8)) $cy $((cw - 8)) $(layout_of sketch | awk '{ print $NF }')"
  read_layout sketch
  [ "$kind $edge $px $py $pw" = "docked top $((cx + 8)) $cy $((cw - 8))" ] ||
    fail "sketch's palette is not docked along the top: $(layout_of sketch)"
  expect_palette default sketch
  activate 1 plan
  [ "$kind $edge" = "docked left" ] || fail "plan's palette is not docked at the left: $(layout_of plan)"
  expect_palette plan-left plan
  activate 2 notes
  [ "$kind" = floating ] || fail "notes' palette does not float: $(layout_of notes)"
  expect_palette notes-floating notes

  # A tooltip over a hovered tool: the icon's file name, beside the pointer, on the screen.
  local x y tip
  read -r x y <<<"$(tool_centre notes 2)"
  xdotool mousemove "$x" "$y"
  wait_for 10 "a tooltip over tool 2 of notes" is_visible "^ToolTray tooltip$"
  tip=$(visible "^ToolTray tooltip$")
  local name2 tx ty tw th
  name2=$(basename "$(ls "$work/icons-notes" >/dev/null; icon_file 10)" .png)
  read -r tx ty tw th <<<"$(geometry "$tip")"
  # The shared drawing's tooltip is as wide as its text in the 5x7 font; the common tooltip
  # control sizes itself to the system's font.
  if [ "$tooltip" = shared ]; then
    [ "$tw" = $((${#name2} * 6 - 1 + 8)) ] || fail "the tooltip is ${tw} wide, not the width of '$name2'"
  else
    [ "$tw" -gt "$th" ] || fail "the tooltip is ${tw}x${th}: no room for '$name2'"
  fi
  [ "$tx" -ge 0 ] && [ "$ty" -ge 0 ] && [ $((tx + tw)) -le 800 ] && [ $((ty + th)) -le 600 ] ||
    fail "the tooltip at ${tx},${ty} ${tw}x${th} is not on the screen"
  [ $((tx - x)) -le 30 ] && [ $((x - tx - tw)) -le 30 ] && [ $((ty - y)) -le 30 ] &&
    [ $((y - ty - th)) -le 30 ] || fail "the tooltip at ${tx},${ty} is not beside the pointer at ${x},${y}"
  xdotool mousemove $((cx + 5)) $((cy + ch - 5))
  wait_for 10 "the tooltip to go when the pointer left the tool" not_visible "^ToolTray tooltip$"
  step

  # A shape tool, then a stamp of it where clicked: its icon, centred there.
  read -r x y <<<"$(tool_centre notes 2)"
  xdotool mousemove "$x" "$y" click 1
  expect_said "tool notes 2"
  expect_palette tool-2 notes --state 1=0 --state 2=1
  x=$((cx + cw * 5 / 6)) y=$((cy + ch * 3 / 4))
  xdotool mousemove "$x" "$y" click 1
  wait_for 10 "a stamp of tool 2 in notes" sh -c "tail -n +$((since + 1)) '$out' | grep -q '^stamp notes 2 '"
  mark
  convert "$work/icons-notes/2.png" "PNG24:$work/icon.png"
  local until=$((SECONDS + 10))
  while shot "$work/stamp.png" $((x - 8)) $((y - 8)) 16 16 &&
    [ "$(compare -metric AE "$work/stamp.png" "$work/icon.png" null: 2>&1 || true)" != 0 ]; do
    [ "$SECONDS" -lt "$until" ] || fail "the stamp at ${x},${y} is not tool 2's icon"
    sleep 0.05
  done
  screens=$((screens + 1))
  step
  read_layout notes
  read -r x y <<<"$(tool_centre notes 4)"
  xdotool mousemove "$x" "$y" click 1
  expect_said "toggle notes 4 on"
  step

  # Dragged by its grip to the left edge: a preview there while dragging, then docked as a column.
  read_layout notes
  read -r x y <<<"$(grip_centre)"
  xdotool mousemove "$x" "$y" mousedown 1
  xdotool mousemove $((x - 100)) $((y + 20))
  xdotool mousemove $((cx + 6)) $((cy + ch / 2))
  wait_for 10 "the dock preview at the left edge" is_pixel $((cx + 5)) "$cy" "#DC2828"
  xdotool mouseup 1
  expect_said "dock notes left"
  read_layout notes
  [ "$kind $edge $px $py $ph" = "docked left $cx $((cy + 8)) $((ch - 8))" ] ||
    fail "notes is not docked down the left edge: $(layout_of notes)"
  expect_palette docked-left notes --state 1=0 --state 2=1 --state 4=1
  step

  # Dragged out, it floats at the drop point: its grip under the pointer.
  read -r x y <<<"$(grip_centre)"
  xdotool mousemove "$x" "$y" mousedown 1 mousemove $((x + 60)) $((y + 60)) mousemove 400 300
  xdotool mouseup 1
  expect_said "float notes"
  read_layout notes
  [ "$kind" = floating ] && [ "$px" -le 400 ] && [ 400 -lt $((px + pw)) ] && [ "$py" -gt 300 ] &&
    [ $((py - 8)) -le 300 ] || fail "notes does not float with its grip at the drop point: $(layout_of notes)"
  wait_for 10 "the floating window at the drop point" sh -c \
    "xdotool getwindowgeometry \$(xdotool search --onlyvisible --name '^ToolTray palette notes$') |
      grep -q 'Position: $px,$((py - 8)) '"
  expect_palette floated notes --state 1=0 --state 2=1 --state 4=1
  step

  # Double-click on the grip: back to the left edge, and again to the same floating rectangle.
  local floating_now
  floating_now=$(layout_of notes)
  read -r x y <<<"$(grip_centre)"
  xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
  expect_said "dock notes left"
  read_layout notes
  [ "$kind $edge" = "docked left" ] || fail "a double-click did not dock notes: $(layout_of notes)"
  read -r x y <<<"$(grip_centre)"
  xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
  expect_said "float notes"
  [ "$(layout_of notes)" = "$floating_now" ] ||
    fail "a double-click floated notes at $(layout_of notes), not back at $floating_now"
  step

  close_with_escape
  grep -q '^notes 0x0102 ' "$layout_file" || fail "the layout file holds no floating notes: $(cat "$layout_file")"
  [ ! -e "$layout_file.tmp" ] || fail "the layout file's temporary was left behind"

  # Restarted, the layout is as it was left.
  start "$name-restarted" "$@"
  activate 2 notes
  [ "$(layout_of notes)" = "$floating_now" ] || fail "after a restart notes is at $(layout_of notes), not $floating_now"
  expect_palette restored notes
  close_with_button

  # A malformed file: said on stderr with its name, the default layout used, the file untouched.
  printf 'tooltray-document-layout 1\nnotes 0x0900 1 2 3 4\n' >"$layout_file"
  cp "$layout_file" "$work/malformed"
  start "$name-malformed" "$@"
  grep -qF "$layout_file: line 2:" "$work/$name-malformed.err" ||
    fail "a malformed layout file was not reported: $(cat "$work/$name-malformed.err")"
  activate 2 notes
  [ "$kind" = floating ] || fail "with a malformed file notes is not at its default: $(layout_of notes)"
  close_with_escape
  cmp -s "$layout_file" "$work/malformed" || fail "the malformed layout file was changed"
  step

  echo "live documents ($name): $interactions interactions, $screens screenshots equal to the" \
    "portable rendering ($pixels pixels)"
}

# The screenshots for docs/: the built-in icons, the three parts activated in turn (a row docked at
# the top, a column at the left, a floating palette showing a tooltip), each with a stamp or two.
take_pictures() { # host name, command...
  local name=$1 x y
  shift
  icon_args=()
  layout_file=$work/$name-pictures/document-layout
  start "$name-pictures" "$@"
  local index part
  for index in 0 1 2; do
    part=$(echo sketch plan notes | cut -d' ' -f$((index + 1)))
    [ "$index" = 0 ] || activate "$index" "$part"
    read_layout "$part"
    local layout=()
    [ "$part" = plan ] && layout=(--layout vertical)
    "$render" --render "$work/geometry.png" --tools "${tools[$part]}" --window "${pw}x${ph}" \
      "${layout[@]}" >"$work/tools-$part.txt"
    read -r x y <<<"$(tool_centre "$part" 2)"
    xdotool mousemove "$x" "$y" click 1
    expect_said "tool $part 2"
    xdotool mousemove $((cx + cw * (2 * index + 1) / 6 - 30)) $((cy + ch / 2)) click 1
    wait_for 10 "a stamp in $part" sh -c "tail -n +$((since + 1)) '$out' | grep -q '^stamp $part 2 '"
    mark
    xdotool mousemove $((cx + cw * (2 * index + 1) / 6 + 20)) $((cy + ch / 2 + 40)) click 1
    wait_for 10 "a stamp in $part" sh -c "tail -n +$((since + 1)) '$out' | grep -q '^stamp $part 2 '"
    mark
    if [ "$part" = sketch ]; then # its setting on: ruled lines
      read -r x y <<<"$(tool_centre "$part" "${tools[$part]}")"
      xdotool mousemove "$x" "$y" click 1
      expect_said "toggle $part ${tools[$part]} on"
    fi
    if [ "$part" = notes ]; then
      xdotool mousemove $((cx + cw - 5)) $((cy + ch - 5))
      read -r x y <<<"$(tool_centre notes 1)"
      xdotool mousemove "$x" "$y"
      wait_for 10 "a tooltip for the picture" is_visible "^ToolTray tooltip$"
      # Mapped first, then drawn: its pale inside shows once it is drawn; the common control's
      # colours are the system's, so there the text is looked for, black on its fill.
      if [ "$tooltip" = shared ]; then
        read -r x y _ <<<"$(geometry "$(visible "^ToolTray tooltip$")")"
        wait_for 10 "the tooltip to be drawn" is_pixel $((x + 1)) $((y + 1)) "#FFFFE1"
      else
        wait_for 10 "the tooltip to be drawn" tooltip_has_text
      fi
    fi
    # Each line is said once what it changed is drawn.
    shot "$work/picture-$index.png" "$cx" "$cy" "$cw" "$ch"
  done
  close_with_escape
  convert "$work/picture-0.png" "$work/picture-1.png" "$work/picture-2.png" -bordercolor black \
    -border 2 +append "$PICTURES/document-$name.png"
  echo "live documents ($name): wrote $PICTURES/document-$name.png"
}

tooltip=shared
drive_document linux "$document"
[ -z "${PICTURES:-}" ] || take_pictures linux "$document"

# Each Windows build's tooltray-document.exe, under the loader of its width, in the build's own
# Wine prefix, as scripts/live-test.sh runs the palette.
tooltip=common-control
for windows in "${windows_builds[@]}"; do
  exe=$windows/bin/tooltray-document.exe
  tips=$windows/bin/tool_tips_tests.exe
  for program in "$exe" "$tips"; do
    [ -f "$program" ] || missing "$program was not built (scripts/windows.sh builds it)"
  done
  use_windows_build "$exe" || continue
  # Creates the prefix when needed and starts Wine's session; the tooltip tests, which need a
  # display and so are left out of the Windows suite, run here on the X server.
  host=$name
  cmake/wine-run.sh "$wine" "$WINEPREFIX" "$tips" >"$work/$name-tips.txt" 2>&1 ||
    fail "the tooltip tests failed: $(tail -n 20 "$work/$name-tips.txt")"
  grep -q '^\[  PASSED  \] 3 tests' "$work/$name-tips.txt" ||
    fail "the tooltip tests did not all run: $(tail -n 5 "$work/$name-tips.txt")"
  drive_document "$name" "$wine" "$exe"
  [ -z "${PICTURES:-}" ] || [ "$name" != windows ] || take_pictures "$name" "$wine" "$exe"
  stop_wine
done
echo "live documents: done in $((SECONDS - started))s"
[ -z "$skipped" ] || exit 77
